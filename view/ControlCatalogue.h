#pragma once
#include <span>

// What each window holds when it is loaded, before any of its code runs: one table per window,
// one row per control. The window classes build their widgets from these rows and nothing else.
namespace view {

enum class ControlKind { PictureBox, Picture, Frame, Label, TextBox, Button, ComboBox, CheckBox, ProgressBar };

// Appearance and initial state of a control; rows combine them with |.
enum ControlStyle : unsigned {
  None = 0,
  Disabled = 1u << 0,
  Hidden = 1u << 1,
  ReadOnly = 1u << 2,
  MultiLine = 1u << 3,     // with a vertical scroll bar
  Bold = 1u << 4,          // window font, bold
  Small = 1u << 5,         // 6.75 pt instead of the window's 8.25 pt
  DarkText = 1u << 6,      // text colour (64, 64, 64)
  StatusGround = 1u << 7,  // background (224, 224, 224)
  HandCursor = 1u << 8,
  LinkColour = 1u << 9,  // blue, underlined
  WordWrap = 1u << 10,
  WhiteGround = 1u << 11,
  TwoCharacters = 1u << 12,                             // at most two characters
  Status = ReadOnly | Small | DarkText | StatusGround,  // the status line of a window
  Link = Small | HandCursor | LinkColour,
};

struct ControlSpec {
  const char* name;  // the control's name, with "_" and the index for array members ("B2_0")
  ControlKind kind;
  const char* container;         // "" for the window itself, else the containing control's name
  int left, top, width, height;  // twips, relative to the container
  const char* text;              // caption, or the resource path of a picture
  const char* tip;
  unsigned style;
  int tab;                     // position in the window's tab order; -1 for none
  const char* accessibleName;  // what a screen reader says; empty: the caption
};

struct WindowSpec {
  const char* name;
  const char* caption;            // empty: set at load
  int clientWidth, clientHeight;  // twips
  std::span<const ControlSpec> controls;
};

extern const WindowSpec frmMainSpec;
extern const WindowSpec frmConvertSpec;
extern const WindowSpec frmAboutSpec;

// 15 twips are one pixel at 96 dpi; Qt's device-pixel scaling does the rest on other screens.
constexpr int TwipsToPixels(int twips) { return (twips + 7) / 15; }

}  // namespace view
