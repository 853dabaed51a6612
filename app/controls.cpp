// The controls of the main window: each one's design-time values and its
// class (named like the control, derived from its intrinsic class), with
// the events the window handles for it forwarded to Window1's methods.
#include "design.h"
#include "titrix.h"

namespace titrix {
namespace {

using namespace design;
using quillon::ControlClass;
using quillon::ControlSpec;
using quillon::EventSpec;

// Solutions (page 1) and Dilutions (page 2) of TabPanel1.
constexpr int32_t kSolutions = 1, kDilutions = 2;

// --- Design-time values ---

constexpr auto kTabPanel1 = DesignValues(
    InWindow("TabPanel1", {1, 1, 290, 309}), SystemFont(TabPanelProperty::TextFont, TabPanelProperty::TextSize),
    Int(TabPanelProperty::Value, 1), Int(TabPanelProperty::PanelCount, 2),
    Text(TabPanelProperty::TabDefinition, "Solutions\r\nDilutions"), Bool(TabPanelProperty::Enabled, true));
// The element table: hidden below the window's bottom edge.
constexpr auto kData = DesignValues(InWindow("data", {1, 376, 213, 100}, false),
                                    SystemFont(ListboxProperty::TextFont, ListboxProperty::TextSize),
                                    Int(ListboxProperty::ColumnCount, 2), Bool(ListboxProperty::HasHeading, true),
                                    Enabled());

// Solutions.
constexpr auto kStaticText1 =
    Label("StaticText1", kSolutions, {12, 35, 200, 20}, "TabPanel1", "For a Given Solution, Calculate:", true);
constexpr auto kCalculateWhat = PopupMenu("calculate_what", kSolutions, {12, 54, 266, 20}, "TabPanel1");
constexpr auto kGroupBox1 = GroupBox("GroupBox1", kSolutions, {12, 86, 266, 211}, "TabPanel1");
constexpr auto kWeightFormat = PopupMenu("weight_format", kSolutions, {28, 110, 80, 20}, "GroupBox1");
constexpr auto kFormulaField = EditField("formula_field", kSolutions, {116, 108, 142, 23}, "GroupBox1");
constexpr auto kTextConc = Label("text_conc", kSolutions, {31, 142, 80, 20}, "GroupBox1", "Conc.:");
constexpr auto kConc = EditField("conc", kSolutions, {116, 142, 55, 22}, "GroupBox1");
constexpr auto kConcUnits = PopupMenu("conc_units", kSolutions, {178, 144, 80, 20}, "GroupBox1");
constexpr auto kTextVol = Label("text_vol", kSolutions, {31, 177, 80, 20}, "GroupBox1", "Volume:");
constexpr auto kVol = EditField("vol", kSolutions, {116, 177, 55, 22}, "GroupBox1");
constexpr auto kVolUnits = PopupMenu("vol_units", kSolutions, {178, 179, 80, 20}, "GroupBox1");
constexpr auto kSeparator1 = Separator("Separator1", kSolutions, {31, 212, 227, 5}, "GroupBox1");
constexpr auto kTextMass = DesignValues(
    OnPage("text_mass", kSolutions, {31, 228, 80, 20}, "GroupBox1"),
    Text(ControlProperty::HelpTag,
         "If the mass is being calculated, this value displays the mass that must be added to a solution to "
         "produce a given concentration"),
    SystemFont(StaticTextProperty::TextFont, StaticTextProperty::TextSize), Text(StaticTextProperty::Text, "Mass:"),
    Bool(StaticTextProperty::Bold, true), Enabled());
constexpr auto kResult1 = EditField("result_1", kSolutions, {116, 228, 55, 22}, "GroupBox1");
constexpr auto kResult1Units = PopupMenu("result_1_units", kSolutions, {178, 230, 80, 20}, "GroupBox1");
constexpr auto kPushButton1 = DefaultButton("PushButton1", kSolutions, {178, 261, 80, 20}, "GroupBox1");

// Dilutions.
constexpr auto kGroupBox2 = GroupBox("GroupBox2", kDilutions, {12, 35, 266, 246}, "TabPanel1");
constexpr auto kStaticText7 =
    Label("StaticText7", kDilutions, {26, 52, 200, 20}, "GroupBox2", "Dilute a Stock Solution:", true);
constexpr auto kSeparator3 = Separator("Separator3", kDilutions, {26, 76, 236, 4}, "GroupBox2");
constexpr auto kStaticText2 = Label("StaticText2", kDilutions, {26, 92, 80, 20}, "GroupBox2", "Stock Conc.");
constexpr auto kStockConc = EditField("stock_conc", kDilutions, {102, 92, 70, 22}, "GroupBox2");
constexpr auto kStockConcUnits = PopupMenu("stock_conc_units", kDilutions, {182, 94, 80, 20}, "GroupBox2");
constexpr auto kStaticText3 = Label("StaticText3", kDilutions, {26, 126, 80, 20}, "GroupBox2", "Final Conc.:");
constexpr auto kDesConc = EditField("des_conc", kDilutions, {102, 124, 70, 22}, "GroupBox2");
constexpr auto kDesConcUnits = PopupMenu("des_conc_units", kDilutions, {182, 126, 80, 20}, "GroupBox2");
constexpr auto kStaticText4 = Label("StaticText4", kDilutions, {26, 158, 80, 20}, "GroupBox2", "Final Vol.:");
constexpr auto kDesVol = EditField("des_vol", kDilutions, {102, 156, 70, 20}, "GroupBox2");
constexpr auto kDesVolUnits = PopupMenu("des_vol_units", kDilutions, {182, 158, 80, 20}, "GroupBox2");
constexpr auto kSeparator2 = Separator("Separator2", kDilutions, {26, 195, 236, 3}, "GroupBox2");
constexpr auto kStaticText6 = Label("StaticText6", kDilutions, {26, 210, 80, 20}, "GroupBox2", "Req. Vol.:", true);
constexpr auto kReqVol = EditField("req_vol", kDilutions, {102, 208, 70, 22}, "GroupBox2");
constexpr auto kReqVolUnits = PopupMenu("req_vol_units", kDilutions, {182, 210, 80, 20}, "GroupBox2");
constexpr auto kPushButton2 = DefaultButton("PushButton2", kDilutions, {182, 249, 80, 20}, "GroupBox2");

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
