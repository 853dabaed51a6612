// Window3, the help window: what the two pages do, who wrote Titrix and on
// which terms, and the contact address, which opens the mail program.
#include "titrix.h"
#include "titrix_config.h"
#include "window3_design.h"

namespace titrix {
namespace {

using namespace window3;
using quillon::ClassSpec;
using quillon::ControlClass;
using quillon::ControlSpec;
using quillon::EventSpec;
using quillon::IsNil;
using quillon::MethodScope;
namespace WE = quillon::WindowEvent;

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
  RuntimeMassPropertySetter(window, QL_DESIGN_VALUES(kWindow3));
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

constexpr ClassSpec kWindow3Class{.name = QL_ASCII("Window3"),
                             .superclass = QL_ASCII("Window"),
                             .superEvents = WE::Count,
                             .methods = kMethods,
                             .events = kEvents};

constinit RuntimeClass* gWindow3 = nullptr;

}  // namespace

RuntimeClass* Window3Class() { return quillon::ClassFor(gWindow3, kWindow3Class); }

}  // namespace titrix
