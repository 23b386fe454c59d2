#pragma once
// The controls of the main window by name: its catalogue builds them under these names, and its
// logic and tests address them by these constants, their readable aliases and the enum of the B2
// control array, so that a misspelt name or an index out of range does not compile.

namespace view::frmMain {
// clang-format off
inline constexpr char Pic1[] = "Pic1";
inline constexpr char F1[] = "F1";
inline constexpr char L1_2[] = "L1_2";
inline constexpr char T4[] = "T4";
inline constexpr char Pic2_0[] = "Pic2_0";
inline constexpr char B1[] = "B1";
inline constexpr char B2_0[] = "B2_0";
inline constexpr char T3[] = "T3";
inline constexpr char F2[] = "F2";
inline constexpr char L1_0[] = "L1_0";
inline constexpr char T5[] = "T5";
inline constexpr char Pic2_1[] = "Pic2_1";
inline constexpr char B3[] = "B3";
inline constexpr char B2_2[] = "B2_2";
inline constexpr char B2_4[] = "B2_4";
inline constexpr char B2_1[] = "B2_1";
inline constexpr char B2_3[] = "B2_3";
inline constexpr char T2[] = "T2";
inline constexpr char T1[] = "T1";
// clang-format on

// The same controls under readable names.
inline constexpr auto& Banner = Pic1;
inline constexpr auto& DownloadFrame = F1;
inline constexpr auto& AddressLabel = L1_2;
inline constexpr auto& AddressBox = T4;
inline constexpr auto& DownloadCommands = Pic2_0;
inline constexpr auto& RetrieveButton = B1;
inline constexpr auto& DownloadButton = B2_0;
inline constexpr auto& InformationBox = T3;
inline constexpr auto& ConvertFrame = F2;
inline constexpr auto& FileLabel = L1_0;
inline constexpr auto& FileBox = T5;
inline constexpr auto& ConvertCommands = Pic2_1;
inline constexpr auto& SelectButton = B3;
inline constexpr auto& ConvertButton = B2_2;
inline constexpr auto& UpdateButton = B2_4;
inline constexpr auto& AboutButton = B2_1;
inline constexpr auto& ExitButton = B2_3;
inline constexpr auto& StatusLine = T2;
inline constexpr auto& LinkBox = T1;

// The indices of the B2 buttons, in the order of their names.
enum class Button { Download, About, Convert, Exit, Update };
inline constexpr Button Buttons[] = {Button::Download, Button::About, Button::Convert, Button::Exit, Button::Update};

constexpr const char* NameOf(Button index) {
  constexpr const char* names[] = {B2_0, B2_1, B2_2, B2_3, B2_4};
  return names[static_cast<int>(index)];
}
}  // namespace view::frmMain
