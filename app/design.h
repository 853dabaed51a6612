// The design-time values of the calculator's controls, in the order the
// runtime applies them: Name, TabPanelIndex (on a tab page), Visible, Left,
// Top, Width, Height, InitialParent (inside a container), AutoDeactivate,
// the font (System, 12), the class's own properties, Enabled last.
#pragma once

#include "quillon/compiled_class.h"
#include "quillon/design_values.h"
#include "quillon/intrinsic_tables.h"

namespace titrix::design {

using namespace quillon;

struct Bounds {
  int32_t left, top, width, height;
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlue = 0x0000FF;

// Name, Visible and bounds of a control placed directly on its window.
template <size_t N>
consteval auto InWindow(const char (&name)[N], Bounds b, bool visible = true) {
  return Join(Text(ControlProperty::Name, name), Bool(ControlProperty::Visible, visible),
              Int(ControlProperty::Left, b.left), Int(ControlProperty::Top, b.top),
              Int(ControlProperty::Width, b.width), Int(ControlProperty::Height, b.height),
              Bool(ControlProperty::AutoDeactivate, true));
}

// The same for a control on page `page` of the tab panel, inside `parent`.
template <size_t N, size_t P>
consteval auto OnPage(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  return Join(Text(ControlProperty::Name, name), Int(ControlProperty::TabPanelIndex, page),
              Bool(ControlProperty::Visible, true), Int(ControlProperty::Left, b.left),
              Int(ControlProperty::Top, b.top), Int(ControlProperty::Width, b.width),
              Int(ControlProperty::Height, b.height), Text(ControlProperty::InitialParent, parent),
              Bool(ControlProperty::AutoDeactivate, true));
}

consteval auto SystemFont(uint16_t textFont, uint16_t textSize) {
  return Join(Text(textFont, "System"), Int(textSize, 12));
}

consteval auto Enabled() { return Bool(ControlProperty::Enabled, true); }

// Single-line, bordered, white, with a focus ring; starts empty.
template <size_t N, size_t P>
consteval auto EditField(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  namespace P_ = quillon::EditFieldProperty;
  return DesignValues(OnPage(name, page, b, parent), SystemFont(P_::TextFont, P_::TextSize), Bool(P_::Border, true),
                      Bool(P_::MultiLine, false), Color(P_::BackColor, kWhite), Bool(P_::UseFocusRing, true),
                      Enabled());
}

template <size_t N, size_t P>
consteval auto PopupMenu(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  namespace P_ = quillon::PopupMenuProperty;
  return DesignValues(OnPage(name, page, b, parent), SystemFont(P_::TextFont, P_::TextSize), Enabled());
}

template <size_t N, size_t P, size_t T>
consteval auto Label(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P], const char (&text)[T],
                     bool bold = false) {
  namespace P_ = quillon::StaticTextProperty;
  return DesignValues(OnPage(name, page, b, parent), SystemFont(P_::TextFont, P_::TextSize), Text(P_::Text, text),
                      Bool(P_::Bold, bold), Enabled());
}

template <size_t N, size_t P>
consteval auto GroupBox(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  namespace P_ = quillon::GroupBoxProperty;
  return DesignValues(OnPage(name, page, b, parent), SystemFont(P_::TextFont, P_::TextSize), Enabled());
}

template <size_t N, size_t P>
consteval auto DefaultButton(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  namespace P_ = quillon::PushButtonProperty;
  return DesignValues(OnPage(name, page, b, parent), SystemFont(P_::TextFont, P_::TextSize),
                      Text(P_::Caption, "Calculate"), Bool(P_::Default, true), Enabled());
}

template <size_t N, size_t P>
consteval auto Separator(const char (&name)[N], int32_t page, Bounds b, const char (&parent)[P]) {
  return DesignValues(OnPage(name, page, b, parent), Enabled());
}

// The Separator class comes from a plug-in; its own events follow the
// control's.
namespace SeparatorEvent {
enum : int32_t { Count = ControlEvent::Count };
}

}  // namespace titrix::design

// One control of a window: its class plan k_<name>, named like the control.
#define TITRIX_CONTROL(name, Class, values, ...)                                                    \
  constexpr ::quillon::ControlSpec k_##name{QL_ASCII(#name), QL_ASCII(#Class), Class##Event::Count, \
                                            QL_DESIGN_VALUES(values), QL_CONTROL_SIGNATURES(name), __VA_ARGS__}
