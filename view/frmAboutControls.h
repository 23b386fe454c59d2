#pragma once
// The controls of the About window by name: its catalogue builds them under these names and its
// logic addresses them by these constants, so that a misspelt name does not compile.

namespace view::frmAbout {
// clang-format off
inline constexpr char Image1[] = "Image1";
inline constexpr char L1_0[] = "L1_0";
inline constexpr char L1_1[] = "L1_1";
inline constexpr char L1_2[] = "L1_2";
inline constexpr char L1_3[] = "L1_3";
inline constexpr char L1_4[] = "L1_4";
inline constexpr char L1_6[] = "L1_6";
inline constexpr char L1_5[] = "L1_5";
inline constexpr char B1[] = "B1";
// clang-format on
}  // namespace view::frmAbout
