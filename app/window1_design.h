// The design-time values of the main window's controls, as the window's
// generated code applies them (one mass-property call per control).
#pragma once

#include "design.h"

namespace titrix::window1 {

using namespace design;

namespace WP = WindowProperty;

// The window itself.
constexpr auto kWindow1 = DesignValues(
    Text(WP::Title, "Titrix"), Int(WP::Width, 292), Int(WP::Height, 311),
    Int(WP::Placement, 2), Bool(WP::Visible, true), Bool(WP::MenuBarVisible, true),
    Bool(WP::CloseBox, true), Bool(WP::ZoomIcon, true), Int(WP::MinWidth, 64),
    Int(WP::MinHeight, 64), Int(WP::MaxWidth, 32000), Int(WP::MaxHeight, 32000),
    Color(WP::BackColor, 0xFFFFFF), Bool(WP::HasBackColor, false));

// Solutions (page 1) and Dilutions (page 2) of TabPanel1.
constexpr int32_t kSolutions = 1, kDilutions = 2;

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

}  // namespace titrix::window1
