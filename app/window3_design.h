// The design-time values of the help window and its controls.
#pragma once

#include "design.h"
#include "titrix_config.h"

namespace titrix::window3 {

using namespace design;
namespace WP = WindowProperty;

constexpr auto kWindow3 = DesignValues(
    Text(WP::Title, "Titrix Help"), Int(WP::Width, 232), Int(WP::Height, 358), Int(WP::Placement, 2),
    Bool(WP::Visible, true), Bool(WP::MenuBarVisible, true), Bool(WP::CloseBox, true), Bool(WP::ZoomIcon, true),
    Bool(WP::HasBackColor, true), Color(WP::BackColor, kWhite), Int(WP::MinWidth, 64), Int(WP::MinHeight, 64),
    Int(WP::MaxWidth, 32000), Int(WP::MaxHeight, 32000));

template <size_t N, size_t T>
consteval auto HelpText(const char (&name)[N], Bounds b, const char (&text)[T]) {
  namespace P = StaticTextProperty;
  return DesignValues(InWindow(name, b), SystemFont(P::TextFont, P::TextSize), Text(P::Text, text),
                      Bool(P::MultiLine, true), Enabled());
}

constexpr auto kStaticText1 = HelpText(
    "StaticText1", {20, 14, 192, 205},
    "There are two functions available in Titrix:\r\n\r\n"
    "The first function, under the \"Solutions\" tab, is able to parse a chemical formula, return its molecular "
    "weight, and calculate the selected property required for the solution based on the other two input "
    "variables.\r\n\r\n"
    "The second function, under the \"Dilutions\" tab, calculates the volume of a stock solution that must be "
    "added to DI water in order to produce the desired final solution.");
constexpr auto kSeparator1 = DesignValues(InWindow("Separator1", {20, 220, 192, 4}), Enabled());
constexpr auto kStaticText2 = HelpText("StaticText2", {20, 231, 192, 44},
                                       "Titrix is written by the Titrix developers.\r\n"
                                       "Free software under the MIT licence.");
constexpr auto kStaticText3 = HelpText("StaticText3", {20, 293, 192, 28},
                                       "Please send questions, comments or suggestions to the developers at:");
constexpr auto kStaticText4 = DesignValues(
    InWindow("StaticText4", {20, 319, 100, 20}), SystemFont(StaticTextProperty::TextFont, StaticTextProperty::TextSize),
    Text(StaticTextProperty::Text, TITRIX_CONTACT), Color(StaticTextProperty::TextColor, kBlue),
    Bool(StaticTextProperty::Underline, true), Enabled());
constexpr auto kSeparator2 = DesignValues(InWindow("Separator2", {20, 278, 192, 4}), Enabled());

}  // namespace titrix::window3
