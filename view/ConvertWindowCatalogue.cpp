#include "view/ControlCatalogue.h"
#include "view/frmConvertControls.h"

namespace view {
namespace {
using K = ControlKind;
using namespace frmConvert;
constexpr unsigned CutBox = Disabled | TwoCharacters | Small | DarkText;

constexpr ControlSpec kControls[] = {
    {F1, K::Frame, "", 90, 150, 5145, 3750, "Select Output Information", "", Small | DarkText, 0, ""},
    {L1_2, K::Label, F1, 240, 390, 665, 240, "Folder:", "", None, 6, ""},
    {T1_1, K::TextBox, F1, 990, 330, 2700, 270, "", "", ReadOnly | Small | DarkText, 5, "Output folder"},
    {Pic1_0, K::PictureBox, F1, 3720, 270, 1275, 435, "", "", None, 9, "Folder commands"},
    {B1_2, K::Button, Pic1_0, 30, 30, 1155, 315, "Browse", "Change output folder", None, 10, ""},
    {L1_0, K::Label, F1, 240, 840, 660, 240, "Format:", "", None, 7, ""},
    {CBO, K::ComboBox, F1, 990, 780, 3915, 315, "", "", WhiteGround, 1, "Format"},
    {CHk1, K::CheckBox, F1, 240, 1290, 765, 255, "Cut:", "", None, 24, "Cut"},
    {L1_9, K::Label, F1, 990, 1305, 450, 240, "From", "", None, 23, ""},
    {T2_0, K::TextBox, F1, 1470, 1290, 285, 240, "00", "", CutBox, 11, "Cut start hours"},
    {L1_3, K::Label, F1, 1785, 1305, 120, 240, ":", "", Small, 17, ""},
    {T2_1, K::TextBox, F1, 1860, 1290, 285, 240, "00", "", CutBox, 12, "Cut start minutes"},
    {L1_4, K::Label, F1, 2175, 1305, 120, 240, ":", "", Small, 18, ""},
    {T2_2, K::TextBox, F1, 2250, 1290, 285, 240, "00", "", CutBox, 13, "Cut start seconds"},
    {L1_7, K::Label, F1, 2580, 1305, 240, 240, "To", "", None, 21, ""},
    {T2_3, K::TextBox, F1, 2820, 1290, 285, 240, "00", "", CutBox, 15, "Cut end hours"},
    {L1_5, K::Label, F1, 3135, 1305, 120, 240, ":", "", Small, 19, ""},
    {T2_4, K::TextBox, F1, 3210, 1290, 285, 240, "00", "", CutBox, 14, "Cut end minutes"},
    {L1_6, K::Label, F1, 3525, 1305, 120, 240, ":", "", Small, 20, ""},
    {T2_5, K::TextBox, F1, 3600, 1290, 285, 240, "00", "", CutBox, 16, "Cut end seconds"},
    {L1_8, K::Label, F1, 3960, 1305, 900, 240, "(hh:mm:ss)", "", Small, 22, ""},
    {T1_2, K::TextBox, F1, 240, 1710, 4650, 1470, "", "", ReadOnly | MultiLine | Small | DarkText, 25,
     "Video information"},
    {Pic1_1, K::PictureBox, F1, 1005, 3260, 3255, 405, "", "", None, 26, "Information commands"},
    {B1_4, K::Button, Pic1_1, 90, 60, 3060, 285, "^ Display Video Information", "Check input and output information",
     Small, 27, "Display Video Information"},
    {B1_1, K::Button, "", 330, 4075, 1105, 315, "Convert", "Convert video", Bold, 3, ""},
    {B1_0, K::Button, "", 1485, 4075, 1105, 315, "Cancel", "Cancel conversion", Disabled, 2, ""},
    {B1_3, K::Button, "", 3150, 4075, 905, 315, "Open", "Open output folder", Small, 8, ""},
    {B1_5, K::Button, "", 4095, 4080, 905, 315, "Exit", "Close the window", Small, 28, ""},
    {T1_0, K::TextBox, "", 0, 4530, 5340, 270, "", "", Status, 4, "Status"},
    // The status line's percentage as a bar, and the time left beside it.
    {ProgressBar, K::ProgressBar, "", 90, 4875, 3510, 195, "", "", None, -1, "Progress"},
    {TimeLeftLabel, K::Label, "", 3690, 4860, 1590, 240, "", "", Small | DarkText, -1, ""},
};
}  // namespace

const WindowSpec frmConvertSpec{"frmConvert", " Convert YouTube Video To New Format", 5340, 5145, kControls};

}  // namespace view
