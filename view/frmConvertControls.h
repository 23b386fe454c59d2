#pragma once
// The controls of the conversion window by name: its catalogue builds them under these names and
// its logic addresses them by these constants, so that a misspelt name does not compile.
#include <QString>

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
// clang-format on

// A member of a control array by its index ("B1", 2 -> "B1_2").
inline QString B1(int index) { return QStringLiteral("B1_%1").arg(index); }
inline QString T2(int index) { return QStringLiteral("T2_%1").arg(index); }
}  // namespace view::frmConvert
