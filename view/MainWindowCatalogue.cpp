#include "view/ControlCatalogue.h"
#include "view/frmMainControls.h"

namespace view {
namespace {
using K = ControlKind;
using namespace frmMain;

constexpr ControlSpec kControls[] = {
    {Pic1, K::Picture, "", 0, 0, 6150, 690, ":/pictures/banner.png", "", HandCursor, 12, "Quillbrook web page"},
    {F1, K::Frame, "", 120, 820, 5910, 3130, "Step 1. Download YouTube Video To Computer", "", Small, 0, ""},
    {L1_2, K::Label, F1, 240, 390, 465, 240, "URL:", "", None, 8, ""},
    {T4, K::TextBox, F1, 720, 330, 4935, 285, "", "", DarkText, 7, "URL"},
    {Pic2_0, K::PictureBox, F1, 1170, 690, 3585, 405, "", "", None, 13, "Step 1 commands"},
    {B1, K::Button, Pic2_0, 180, 60, 1540, 315, "Retrieve", "Retrieve video information", None, 15, ""},
    {B2_0, K::Button, Pic2_0, 1770, 60, 1540, 315, "Download", "", Disabled | Bold, 14, ""},
    {T3, K::TextBox, F1, 180, 1200, 5565, 1700, "", "", ReadOnly | MultiLine | DarkText, 1, "Video information"},
    {F2, K::Frame, "", 120, 4090, 5910, 1165, "Step 2. Convert Downloaded Video File", "", Small, 9, ""},
    {L1_0, K::Label, F2, 240, 390, 465, 240, "File:", "", None, 11, ""},
    {T5, K::TextBox, F2, 720, 330, 4935, 285, "", "", ReadOnly | DarkText, 10, "File"},
    {Pic2_1, K::PictureBox, F2, 1170, 690, 3585, 405, "", "", None, 16, "Step 2 commands"},
    {B3, K::Button, Pic2_1, 180, 60, 1540, 315, "Select", "", None, 18, ""},
    {B2_2, K::Button, Pic2_1, 1770, 60, 1540, 315, "Convert", "", Disabled | Bold, 17, ""},
    {B2_4, K::Button, "", 210, 5450, 1230, 315, "Update", "Check new version", Small, 6, ""},
    {B2_1, K::Button, "", 1485, 5450, 1230, 315, "About", "About the software", Small, 5, ""},
    {B2_3, K::Button, "", 4760, 5450, 1230, 315, "Exit", "Close the program", Small, 4, ""},
    {T2, K::TextBox, "", 0, 5900, 6150, 270, "", "", Status, 3, "Status"},
    // Holds the download link; it lies below the client area and is never shown.
    {T1, K::TextBox, "", 1230, 7110, 4095, 705, "", "", Hidden | ReadOnly | MultiLine, 2, "Download link"},
};
}  // namespace

const WindowSpec frmMainSpec{"frmMain", "", 6150, 6165, kControls};

}  // namespace view
