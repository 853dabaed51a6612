// Window3, the help window: what the two pages do, who wrote Titrix and on
// which terms, and the contact address, which opens the mail program.
#include "design.h"
#include "titrix.h"
#include "titrix_config.h"

namespace titrix {
namespace {

using namespace design;
using quillon::ClassSpec;
using quillon::ControlClass;
using quillon::ControlSpec;
using quillon::EventSpec;
using quillon::IsNil;
using quillon::MethodScope;
namespace WP = quillon::WindowProperty;
namespace WE = quillon::WindowEvent;

constexpr auto kWindow3Values = DesignValues(
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

// The address, clicked: the mail program, through the system's handler for
// "mailto:" addresses. The click is not taken (false).
bool StaticText4_MouseDown(RuntimeObject*, RuntimeObject*, int32_t, int32_t) {
  MethodScope scope;
  GlobalShowURL(QL_STR("mailto:" TITRIX_CONTACT));
  return false;
}

constexpr EventSpec kStaticText4Events[] = {
    {StaticTextEvent::MouseDown, QL_CODE((quillon::ForwardMouseToWindow<Window3Class, StaticText4_MouseDown>)),
     QL_ASCII("MouseDown"), QL_ASCII("#MouseDown%b%o<StaticText4>ii")}};

TITRIX_CONTROL(StaticText1, StaticText, kStaticText1);
TITRIX_CONTROL(Separator1, Separator, kSeparator1);
TITRIX_CONTROL(StaticText2, StaticText, kStaticText2);
TITRIX_CONTROL(StaticText3, StaticText, kStaticText3);
TITRIX_CONTROL(StaticText4, StaticText, kStaticText4, kStaticText4Events);
TITRIX_CONTROL(Separator2, Separator, kSeparator2);

using ClassGetter = RuntimeClass* (*)();
constexpr ClassGetter kControls[] = {
    &ControlClass<k_StaticText1>::Get, &ControlClass<k_Separator1>::Get, &ControlClass<k_StaticText2>::Get,
    &ControlClass<k_StaticText3>::Get, &ControlClass<k_StaticText4>::Get, &ControlClass<k_Separator2>::Get,
};

void Layout(RuntimeObject* window) {
  MethodScope scope;
  RuntimeMassPropertySetter(window, QL_DESIGN_VALUES(kWindow3Values));
}

void CreateControls(RuntimeObject* window) {
  MethodScope scope;
  for (ClassGetter getter : kControls) {
    RuntimeClass* cls = getter();
    if (!cls) continue;  // a Separator without its plug-in
    Object control = Object::Adopt(WindowAllocateObject(window, cls));
    quillon::ControlConstructor(control.get(), -1);
    WindowAddControl(window, control.get());
  }
}

constexpr EventSpec kEvents[] = {
    {WE::Layout, QL_CODE(Layout), QL_ASCII("Layout"), QL_ASCII("#Layout%%o<Window3>")},
    {WE::CreateControls, QL_CODE(CreateControls), QL_ASCII("CreateControls"),
     QL_ASCII("#CreateControls%%o<Window3>")},
};

constexpr quillon::MethodSpec kMethods[] = {
    {QL_CODE(StaticText4_MouseDown), QL_ASCII("StaticText4_MouseDown%b%o<Window3>o<StaticText>ii")}};

constexpr ClassSpec kWindow3{.name = QL_ASCII("Window3"),
                             .superclass = QL_ASCII("Window"),
                             .superEvents = WE::Count,
                             .methods = kMethods,
                             .events = kEvents};

constinit RuntimeClass* gWindow3 = nullptr;

}  // namespace

RuntimeClass* Window3Class() { return quillon::ClassFor(gWindow3, kWindow3); }

}  // namespace titrix
