#pragma once
// The controls of the About window by name: its catalogue builds them under these names, and its
// logic and tests address them by these constants, their readable aliases and the enum of the L1
// control array, so that a misspelt name or an index out of range does not compile.

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

// The same controls under readable names.
inline constexpr auto& Emblem = Image1;
inline constexpr auto& ProductLabel = L1_0;
inline constexpr auto& CopyrightLabel = L1_1;
inline constexpr auto& DescriptionLabel = L1_2;
inline constexpr auto& WebsiteCaption = L1_3;
inline constexpr auto& WebsiteLink = L1_4;
inline constexpr auto& ContactCaption = L1_6;
inline constexpr auto& MailLink = L1_5;
inline constexpr auto& OkButton = B1;

// The indices of the L1 labels, in the order of their names.
enum class Label { Product, Copyright, Description, WebsiteCaption, Website, Mail, ContactCaption };
inline constexpr Label Labels[] = {Label::Product, Label::Copyright, Label::Description,   Label::WebsiteCaption,
                                   Label::Website, Label::Mail,      Label::ContactCaption};

constexpr const char* NameOf(Label index) {
  constexpr const char* names[] = {L1_0, L1_1, L1_2, L1_3, L1_4, L1_5, L1_6};
  return names[static_cast<int>(index)];
}
}  // namespace view::frmAbout
