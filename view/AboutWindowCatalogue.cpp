#include "view/ControlCatalogue.h"
#include "view/frmAboutControls.h"

namespace view {
namespace {
using K = ControlKind;
using namespace frmAbout;

constexpr ControlSpec kControls[] = {
    {Image1, K::Picture, "", 90, 180, 810, 540, ":/pictures/about.png", "", None, -1, "Quillbrook emblem"},
    {L1_0, K::Label, "", 1020, 180, 3735, 255, "", "", Small, 0, ""},
    {L1_1, K::Label, "", 1020, 480, 3075, 255, "", "", Small, 1, ""},
    {L1_2, K::Label, "", 210, 900, 4365, 1485, "", "", Small | WordWrap, 2, ""},
    {L1_3, K::Label, "", 210, 2535, 735, 255, "Website: ", "", Small, 3, ""},
    {L1_4, K::Label, "", 960, 2535, 2055, 255, "", "", Link, 4, ""},
    {L1_6, K::Label, "", 210, 2805, 735, 255, "Contact: ", "", Small, 6, ""},
    {L1_5, K::Label, "", 960, 2805, 1995, 255, "", "", Link, 5, ""},
    {B1, K::Button, "", 3330, 2730, 1155, 285, "OK", "", None, 7, ""},
};
}  // namespace

const WindowSpec frmAboutSpec{"frmAbout", " About", 4785, 3285, kControls};

}  // namespace view
