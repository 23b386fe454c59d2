#pragma once
// The controls of the main window by name: its catalogue builds them under these names and its
// logic addresses them by these constants, so that a misspelt name does not compile.

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
}  // namespace view::frmMain
