// The controls of the main window: each one's design-time values and its
// class (named like the control, derived from its intrinsic class), with
// the events the window handles for it forwarded to Window1's methods.
#include "titrix.h"
#include "window1_design.h"

namespace titrix {
namespace {

using namespace window1;
using quillon::ControlClass;
using quillon::ControlSpec;
using quillon::EventSpec;

// --- The events Window1 handles ---

template <void (*Method)(RuntimeObject*, RuntimeObject*)>
constexpr auto kForward = &quillon::ForwardToWindow<Window1Class, Method>;

constexpr EventSpec kCalculateWhatEvents[] = {{PopupMenuEvent::Change, QL_CODE(kForward<calculate_what_Change>),
                                               QL_ASCII("Change"), QL_ASCII("#Change%%o<calculate_what>")}};
constexpr EventSpec kGroupBox1Events[] = {
    {ControlEvent::Open, QL_CODE(kForward<GroupBox1_Open>), QL_ASCII("Open"), QL_ASCII("#Open%%o<GroupBox1>")}};
constexpr EventSpec kGroupBox2Events[] = {
    {ControlEvent::Open, QL_CODE(kForward<GroupBox2_Open>), QL_ASCII("Open"), QL_ASCII("#Open%%o<GroupBox2>")}};
constexpr EventSpec kPushButton1Events[] = {{PushButtonEvent::Action, QL_CODE(kForward<PushButton1_Action>),
                                             QL_ASCII("Action"), QL_ASCII("#Action%%o<PushButton1>")}};
constexpr EventSpec kPushButton2Events[] = {{PushButtonEvent::Action, QL_CODE(kForward<PushButton2_Action>),
                                             QL_ASCII("Action"), QL_ASCII("#Action%%o<PushButton2>")}};

// --- The control classes ---

TITRIX_CONTROL(TabPanel1, TabPanel, kTabPanel1);
TITRIX_CONTROL(data, Listbox, kData);
TITRIX_CONTROL(calculate_what, PopupMenu, kCalculateWhat, kCalculateWhatEvents);
TITRIX_CONTROL(GroupBox2, GroupBox, kGroupBox2, kGroupBox2Events);
TITRIX_CONTROL(GroupBox1, GroupBox, kGroupBox1, kGroupBox1Events);
TITRIX_CONTROL(conc, EditField, kConc);
TITRIX_CONTROL(vol, EditField, kVol);
TITRIX_CONTROL(result_1, EditField, kResult1);
TITRIX_CONTROL(text_conc, StaticText, kTextConc);
TITRIX_CONTROL(text_vol, StaticText, kTextVol);
TITRIX_CONTROL(text_mass, StaticText, kTextMass);
TITRIX_CONTROL(PushButton1, PushButton, kPushButton1, kPushButton1Events);
TITRIX_CONTROL(conc_units, PopupMenu, kConcUnits);
TITRIX_CONTROL(vol_units, PopupMenu, kVolUnits);
TITRIX_CONTROL(result_1_units, PopupMenu, kResult1Units);
TITRIX_CONTROL(Separator1, Separator, kSeparator1);
TITRIX_CONTROL(formula_field, EditField, kFormulaField);
TITRIX_CONTROL(weight_format, PopupMenu, kWeightFormat);
TITRIX_CONTROL(StaticText1, StaticText, kStaticText1);
TITRIX_CONTROL(stock_conc, EditField, kStockConc);
TITRIX_CONTROL(des_conc, EditField, kDesConc);
TITRIX_CONTROL(des_vol, EditField, kDesVol);
TITRIX_CONTROL(des_vol_units, PopupMenu, kDesVolUnits);
TITRIX_CONTROL(des_conc_units, PopupMenu, kDesConcUnits);
TITRIX_CONTROL(stock_conc_units, PopupMenu, kStockConcUnits);
TITRIX_CONTROL(StaticText2, StaticText, kStaticText2);
TITRIX_CONTROL(StaticText3, StaticText, kStaticText3);
TITRIX_CONTROL(StaticText4, StaticText, kStaticText4);
TITRIX_CONTROL(req_vol_units, PopupMenu, kReqVolUnits);
TITRIX_CONTROL(req_vol, EditField, kReqVol);
TITRIX_CONTROL(PushButton2, PushButton, kPushButton2, kPushButton2Events);
TITRIX_CONTROL(StaticText6, StaticText, kStaticText6);
TITRIX_CONTROL(Separator2, Separator, kSeparator2);
TITRIX_CONTROL(StaticText7, StaticText, kStaticText7);
TITRIX_CONTROL(Separator3, Separator, kSeparator3);

#define TITRIX_CLASS_GETTER(name, cls) &ControlClass<k_##name>::Get,
using ClassGetter = RuntimeClass* (*)();
constexpr ClassGetter kClassGetters[] = {TITRIX_WINDOW1_CONTROLS(TITRIX_CLASS_GETTER)};
static_assert(sizeof kClassGetters / sizeof kClassGetters[0] == static_cast<size_t>(W1::Count));

}  // namespace

RuntimeClass* Window1ControlClass(W1 control) {
  const int32_t i = static_cast<int32_t>(control);
  return i >= 0 && i < static_cast<int32_t>(W1::Count) ? kClassGetters[i]() : nullptr;
}

}  // namespace titrix
