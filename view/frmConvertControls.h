#pragma once
// The controls of the conversion window by name: its catalogue builds them under these names, and
// its logic and tests address them by these constants, their readable aliases and the enums of the
// control arrays, so that a misspelt name or an index out of range does not compile.

namespace view::frmConvert {
// clang-format off
inline constexpr char F1[] = "F1";
inline constexpr char L1_2[] = "L1_2";
inline constexpr char T1_1[] = "T1_1";
inline constexpr char Pic1_0[] = "Pic1_0";
inline constexpr char B1_2[] = "B1_2";
inline constexpr char L1_0[] = "L1_0";
inline constexpr char CBO[] = "CBO";
inline constexpr char CHk1[] = "CHk1";
inline constexpr char L1_9[] = "L1_9";
inline constexpr char T2_0[] = "T2_0";
inline constexpr char L1_3[] = "L1_3";
inline constexpr char T2_1[] = "T2_1";
inline constexpr char L1_4[] = "L1_4";
inline constexpr char T2_2[] = "T2_2";
inline constexpr char L1_7[] = "L1_7";
inline constexpr char T2_3[] = "T2_3";
inline constexpr char L1_5[] = "L1_5";
inline constexpr char T2_4[] = "T2_4";
inline constexpr char L1_6[] = "L1_6";
inline constexpr char T2_5[] = "T2_5";
inline constexpr char L1_8[] = "L1_8";
inline constexpr char T1_2[] = "T1_2";
inline constexpr char Pic1_1[] = "Pic1_1";
inline constexpr char B1_4[] = "B1_4";
inline constexpr char B1_1[] = "B1_1";
inline constexpr char B1_0[] = "B1_0";
inline constexpr char B1_3[] = "B1_3";
inline constexpr char B1_5[] = "B1_5";
inline constexpr char T1_0[] = "T1_0";
inline constexpr char ProgressBar[] = "ProgressBar";
inline constexpr char TimeLeftLabel[] = "TimeLeftLabel";
// clang-format on

// The same controls under readable names.
inline constexpr auto& OutputFrame = F1;
inline constexpr auto& FolderLabel = L1_2;
inline constexpr auto& FolderBox = T1_1;
inline constexpr auto& FolderCommands = Pic1_0;
inline constexpr auto& BrowseButton = B1_2;
inline constexpr auto& FormatLabel = L1_0;
inline constexpr auto& FormatList = CBO;
inline constexpr auto& CutCheckBox = CHk1;
inline constexpr auto& FromLabel = L1_9;
inline constexpr auto& StartHoursBox = T2_0;
inline constexpr auto& StartColon1 = L1_3;
inline constexpr auto& StartMinutesBox = T2_1;
inline constexpr auto& StartColon2 = L1_4;
inline constexpr auto& StartSecondsBox = T2_2;
inline constexpr auto& ToLabel = L1_7;
inline constexpr auto& EndHoursBox = T2_3;
inline constexpr auto& EndColon1 = L1_5;
inline constexpr auto& EndMinutesBox = T2_4;
inline constexpr auto& EndColon2 = L1_6;
inline constexpr auto& EndSecondsBox = T2_5;
inline constexpr auto& TimeFormatLabel = L1_8;
inline constexpr auto& InformationBox = T1_2;
inline constexpr auto& InformationCommands = Pic1_1;
inline constexpr auto& InformationButton = B1_4;
inline constexpr auto& ConvertButton = B1_1;
inline constexpr auto& CancelButton = B1_0;
inline constexpr auto& OpenButton = B1_3;
inline constexpr auto& ExitButton = B1_5;
inline constexpr auto& StatusLine = T1_0;

// The indices of the B1 buttons, and of the T2 cut boxes, in the order of their names.
enum class Button { Cancel, Convert, Browse, Open, DisplayInformation, Exit };
enum class CutTime { StartHours, StartMinutes, StartSeconds, EndHours, EndMinutes, EndSeconds };
inline constexpr Button Buttons[] = {
    Button::Cancel, Button::Convert, Button::Browse, Button::Open, Button::DisplayInformation, Button::Exit};
inline constexpr CutTime CutTimes[] = {CutTime::StartHours, CutTime::StartMinutes, CutTime::StartSeconds,
                                       CutTime::EndHours,   CutTime::EndMinutes,   CutTime::EndSeconds};

constexpr const char* NameOf(Button index) {
  constexpr const char* names[] = {B1_0, B1_1, B1_2, B1_3, B1_4, B1_5};
  return names[static_cast<int>(index)];
}
constexpr const char* NameOf(CutTime index) {
  constexpr const char* names[] = {T2_0, T2_1, T2_2, T2_3, T2_4, T2_5};
  return names[static_cast<int>(index)];
}
}  // namespace view::frmConvert
