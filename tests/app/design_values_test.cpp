// The design-time values the windows apply: the mass-property data, decoded
// with the intrinsic classes' property tables as the runtime lists them,
// against the main window's and the help window's design.
#include <gtest/gtest.h>
#include <stdint.h>

#include <map>
#include <string>
#include <vector>

#include "app/window1_design.h"
#include "app/window3_design.h"
#include "titrix_config.h"

namespace titrix {
namespace {

// Property tables in index order: name and type code.
using Props = std::vector<std::pair<std::string, char>>;

Props Concat(Props a, const Props& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

const Props kRectControl = {
    {"Name", 's'},      {"Index", 'i'},        {"TabPanelIndex", 'i'}, {"MouseX", 'i'},
    {"MouseY", 'i'},    {"Window", 'o'},       {"Handle", 'i'},        {"HelpTag", 's'},
    {"BalloonHelp", 's'}, {"DisabledBalloonHelp", 's'}, {"MouseCursor", 'o'}, {"Visible", 'b'},
    {"Left", 'i'},      {"Top", 'i'},          {"Width", 'i'},         {"Height", 'i'},
    {"Enabled", 'b'},   {"Active", 'b'},       {"AutoDeactivate", 'b'}, {"LockLeft", 'b'},
    {"LockTop", 'b'},   {"LockRight", 'b'},    {"LockBottom", 'b'},    {"Parent", 'o'},
    {"InitialParent", 's'},
};
const Props kFont = {{"TextFont", 's'}, {"TextSize", 'i'}, {"Bold", 'b'}, {"Italic", 'b'}, {"Underline", 'b'}};
const Props kEditField = Concat(kRectControl, Concat({{"Text", 's'}, {"TextStyleData", 's'}, {"Border", 'b'},
    {"MultiLine", 'b'}, {"ReadOnly", 'b'}, {"Password", 'b'}, {"Styled", 'b'}, {"AcceptTabs", 'b'}, {"TextColor", 'c'},
    {"BackColor", 'c'}, {"ScrollBarHorizontal", 'b'}, {"ScrollBarVertical", 'b'}, {"ScrollBar", 'b'}}, Concat(kFont,
    {{"SelStart", 'i'}, {"SelLength", 'i'}, {"SelText", 's'}, {"LimitText", 'i'}, {"SelBold", 'b'},
     {"SelUnderline", 'b'}, {"SelItalic", 'b'}, {"SelOutline", 'b'}, {"SelShadow", 'b'}, {"SelCondense", 'b'},
     {"SelExtend", 'b'}, {"SelPlain", 'b'}, {"SelTextFont", 's'}, {"SelTextSize", 'i'}, {"SelTextColor", 'c'},
     {"LiveUpdate", 'b'}, {"UseFocusRing", 'b'}, {"DataSource", 's'}, {"DataField", 's'}, {"Alignment", 'i'},
     {"SelAlignment", 'i'}})));
const Props kPopupMenu = Concat(kRectControl, Concat(kFont, {{"ListCount", 'i'}, {"ListIndex", 'i'}, {"Text", 's'},
    {"InitialValue", 's'}, {"DataSource", 's'}, {"DataField", 's'}}));
const Props kPushButton = Concat(kRectControl, Concat({{"Caption", 's'}, {"Default", 'b'}, {"Cancel", 'b'}}, kFont));
const Props kStaticText = Concat(kRectControl, Concat({{"Text", 's'}, {"Caption", 's'}, {"TextAlign", 'i'},
    {"TextColor", 'c'}}, Concat(kFont, {{"MultiLine", 'b'}, {"DataSource", 's'}, {"DataField", 's'}})));
const Props kGroupBox = Concat(kRectControl, Concat({{"Caption", 's'}}, kFont));
const Props kTabPanel = Concat(kRectControl, Concat({{"Enabled", 'b'}, {"Value", 'i'}, {"PanelCount", 'i'},
    {"Enabled", 'b'}, {"TabDefinition", 's'}, {"Value", 'i'}, {"Facing", 'i'}, {"SmallTabs", 'b'}}, kFont));
const Props kListbox = Concat(kRectControl, Concat(kFont, {{"ListCount", 'i'}, {"ListIndex", 'i'}, {"Text", 's'},
    {"ColumnCount", 'i'}, {"ColumnWidths", 's'}, {"Hierarchical", 'b'}, {"LastIndex", 'i'}, {"EnableDrag", 'b'},
    {"EnableDragReorder", 'b'}, {"SelectionType", 'i'}, {"SelCount", 'i'}, {"InitialValue", 's'},
    {"HasHeading", 'b'}}));
const Props kWindow = {
    {"Visible", 'b'}, {"Left", 'i'}, {"Top", 'i'}, {"Width", 'i'}, {"Height", 'i'}, {"Placement", 'i'},
    {"Title", 's'}, {"FullScreen", 'b'}, {"MenuBarVisible", 'b'}, {"CloseBox", 'b'}, {"GrowIcon", 'b'},
    {"ZoomIcon", 'b'}, {"Frame", 'i'}, {"Composite", 'b'}, {"LiveResize", 'b'}, {"Backdrop", 'o'},
    {"Graphics", 'o'}, {"HasBackColor", 'b'}, {"BackColor", 'c'}, {"BalloonHelp", 's'}, {"MinWidth", 'i'},
    {"MinHeight", 'i'}, {"MaxWidth", 'i'}, {"MaxHeight", 'i'},
};

struct Record {
  int index;
  std::string name, value;  // numbers in decimal, colours in hex, Booleans as 1 or 0
};

template <size_t N>
std::string Data(const quillon::DesignBytes<N>& values) {
  return std::string(values.text, N - 1);  // without the terminating NUL
}

// The records of mass-property data, read as the runtime reads them.
std::vector<Record> Decode(const std::string& data, const Props& props) {
  std::vector<Record> records;
  auto byte = [&](size_t at) { return static_cast<uint8_t>(data[at]); };
  auto word = [&](size_t at) {
    return static_cast<uint32_t>(byte(at)) << 24 | byte(at + 1) << 16 | byte(at + 2) << 8 | byte(at + 3);
  };
  for (size_t at = 0; at < data.size();) {
    EXPECT_LE(at + 2, data.size());
    const int index = byte(at) << 8 | byte(at + 1);
    at += 2;
    if (index >= static_cast<int>(props.size())) {
      ADD_FAILURE() << "property index " << index << " beyond the table";
      return records;
    }
    Record r{index, props[index].first, ""};
    switch (props[index].second) {
      case 'b':
        r.value = std::to_string(byte(at));
        at += 1;
        break;
      case 'i':
        r.value = std::to_string(static_cast<int32_t>(word(at)));
        at += 4;
        break;
      case 'c': {
        char hex[8];
        snprintf(hex, sizeof hex, "%02X%02X%02X", byte(at), byte(at + 1), byte(at + 2));
        r.value = hex;
        at += 3;
        break;
      }
      case 's': {
        const uint32_t length = word(at);
        EXPECT_LE(at + 4 + length, data.size());
        r.value = data.substr(at + 4, length);
        at += 4 + length;
        break;
      }
      default:
        ADD_FAILURE() << r.name << " has no mass-property encoding";
        return records;
    }
    records.push_back(r);
  }
  return records;
}

std::map<std::string, std::string> ByName(const std::vector<Record>& records) {
  std::map<std::string, std::string> values;
  for (const Record& r : records) {
    EXPECT_EQ(values.count(r.name), 0u) << r.name << " set twice";
    values[r.name] = r.value;
  }
  return values;
}

struct ControlCase {
  const char* name;
  const Props* props;
  std::string data;
  const char* parent;  // "" on the window
  int page;            // 0: on no tab page
  int left, top, width, height;
  std::map<std::string, std::string> own;  // the class's own values
};

void CheckControl(const ControlCase& c) {
  SCOPED_TRACE(c.name);
  const std::vector<Record> records = Decode(c.data, *c.props);
  ASSERT_FALSE(records.empty());
  EXPECT_EQ(records.front().name, "Name") << "Name comes first";
  EXPECT_EQ(records.back().name, "Enabled") << "Enabled comes last";
  std::map<std::string, std::string> v = ByName(records);
  EXPECT_EQ(v["Name"], c.name);
  EXPECT_EQ(v["Enabled"], "1");
  EXPECT_EQ(v.count("TabPanelIndex") ? std::stoi(v["TabPanelIndex"]) : 0, c.page);
  EXPECT_EQ(v.count("InitialParent") ? v["InitialParent"] : "", c.parent);
  EXPECT_EQ(v["Left"], std::to_string(c.left));
  EXPECT_EQ(v["Top"], std::to_string(c.top));
  EXPECT_EQ(v["Width"], std::to_string(c.width));
  EXPECT_EQ(v["Height"], std::to_string(c.height));
  if (c.props != &kRectControl) {  // everything but the plug-in's Separator shows text
    EXPECT_EQ(v["TextFont"], "System");
    EXPECT_EQ(v["TextSize"], "12");
  }
  for (const auto& [name, value] : c.own) EXPECT_EQ(v[name], value) << name;
  const std::map<std::string, std::string> edit = {{"Border", "1"}, {"MultiLine", "0"}, {"BackColor", "FFFFFF"},
                                                   {"UseFocusRing", "1"}};
  if (c.props == &kEditField) {
    for (const auto& [name, value] : edit) EXPECT_EQ(v[name], value) << name;
    EXPECT_EQ(v.count("ReadOnly") ? v["ReadOnly"] : "0", "0") << "a result can be edited afterwards";
    EXPECT_EQ(v.count("Text"), 0u) << "fields start empty";
  }
}

TEST(DesignValues, MainWindowControls) {
  using namespace window1;
  const std::string label = "Label", shown = "1";
  const ControlCase cases[] = {
      {"TabPanel1", &kTabPanel, Data(kTabPanel1), "", 0, 1, 1, 290, 309,
       {{"PanelCount", "2"}, {"Value", "1"}, {"TabDefinition", "Solutions\r\nDilutions"}, {"Visible", "1"}}},
      {"data", &kListbox, Data(kData), "", 0, 1, 376, 213, 100,
       {{"Visible", "0"}, {"ColumnCount", "2"}, {"HasHeading", "1"}}},
      {"StaticText1", &kStaticText, Data(kStaticText1), "TabPanel1", 1, 12, 35, 200, 20,
       {{"Text", "For a Given Solution, Calculate:"}, {"Bold", "1"}}},
      {"calculate_what", &kPopupMenu, Data(kCalculateWhat), "TabPanel1", 1, 12, 54, 266, 20, {}},
      {"GroupBox1", &kGroupBox, Data(kGroupBox1), "TabPanel1", 1, 12, 86, 266, 211, {}},
      {"weight_format", &kPopupMenu, Data(kWeightFormat), "GroupBox1", 1, 28, 110, 80, 20, {}},
      {"formula_field", &kEditField, Data(kFormulaField), "GroupBox1", 1, 116, 108, 142, 23, {}},
      {"text_conc", &kStaticText, Data(kTextConc), "GroupBox1", 1, 31, 142, 80, 20, {{"Text", "Conc.:"}, {"Bold", "0"}}},
      {"conc", &kEditField, Data(kConc), "GroupBox1", 1, 116, 142, 55, 22, {}},
      {"conc_units", &kPopupMenu, Data(kConcUnits), "GroupBox1", 1, 178, 144, 80, 20, {}},
      {"text_vol", &kStaticText, Data(kTextVol), "GroupBox1", 1, 31, 177, 80, 20, {{"Text", "Volume:"}, {"Bold", "0"}}},
      {"vol", &kEditField, Data(kVol), "GroupBox1", 1, 116, 177, 55, 22, {}},
      {"vol_units", &kPopupMenu, Data(kVolUnits), "GroupBox1", 1, 178, 179, 80, 20, {}},
      {"Separator1", &kRectControl, Data(kSeparator1), "GroupBox1", 1, 31, 212, 227, 5, {}},
      {"text_mass", &kStaticText, Data(kTextMass), "GroupBox1", 1, 31, 228, 80, 20,
       {{"Text", "Mass:"},
        {"Bold", "1"},
        {"HelpTag", "If the mass is being calculated, this value displays the mass that must be added to a "
                    "solution to produce a given concentration"}}},
      {"result_1", &kEditField, Data(kResult1), "GroupBox1", 1, 116, 228, 55, 22, {}},
      {"result_1_units", &kPopupMenu, Data(kResult1Units), "GroupBox1", 1, 178, 230, 80, 20, {}},
      {"PushButton1", &kPushButton, Data(kPushButton1), "GroupBox1", 1, 178, 261, 80, 20,
       {{"Caption", "Calculate"}, {"Default", "1"}}},
      {"GroupBox2", &kGroupBox, Data(kGroupBox2), "TabPanel1", 2, 12, 35, 266, 246, {}},
      {"StaticText7", &kStaticText, Data(kStaticText7), "GroupBox2", 2, 26, 52, 200, 20,
       {{"Text", "Dilute a Stock Solution:"}, {"Bold", "1"}}},
      {"Separator3", &kRectControl, Data(kSeparator3), "GroupBox2", 2, 26, 76, 236, 4, {}},
      {"StaticText2", &kStaticText, Data(kStaticText2), "GroupBox2", 2, 26, 92, 80, 20, {{"Text", "Stock Conc."}}},
      {"stock_conc", &kEditField, Data(kStockConc), "GroupBox2", 2, 102, 92, 70, 22, {}},
      {"stock_conc_units", &kPopupMenu, Data(kStockConcUnits), "GroupBox2", 2, 182, 94, 80, 20, {}},
      {"StaticText3", &kStaticText, Data(kStaticText3), "GroupBox2", 2, 26, 126, 80, 20, {{"Text", "Final Conc.:"}}},
      {"des_conc", &kEditField, Data(kDesConc), "GroupBox2", 2, 102, 124, 70, 22, {}},
      {"des_conc_units", &kPopupMenu, Data(kDesConcUnits), "GroupBox2", 2, 182, 126, 80, 20, {}},
      {"StaticText4", &kStaticText, Data(kStaticText4), "GroupBox2", 2, 26, 158, 80, 20, {{"Text", "Final Vol.:"}}},
      {"des_vol", &kEditField, Data(kDesVol), "GroupBox2", 2, 102, 156, 70, 20, {}},
      {"des_vol_units", &kPopupMenu, Data(kDesVolUnits), "GroupBox2", 2, 182, 158, 80, 20, {}},
      {"Separator2", &kRectControl, Data(kSeparator2), "GroupBox2", 2, 26, 195, 236, 3, {}},
      {"StaticText6", &kStaticText, Data(kStaticText6), "GroupBox2", 2, 26, 210, 80, 20,
       {{"Text", "Req. Vol.:"}, {"Bold", "1"}}},
      {"req_vol", &kEditField, Data(kReqVol), "GroupBox2", 2, 102, 208, 70, 22, {}},
      {"req_vol_units", &kPopupMenu, Data(kReqVolUnits), "GroupBox2", 2, 182, 210, 80, 20, {}},
      {"PushButton2", &kPushButton, Data(kPushButton2), "GroupBox2", 2, 182, 249, 80, 20,
       {{"Caption", "Calculate"}, {"Default", "1"}}},
  };
  EXPECT_EQ(sizeof cases / sizeof cases[0], 35u);
  for (const ControlCase& c : cases) CheckControl(c);
}

TEST(DesignValues, TabPanelRecordsInTheirOrder) {
  std::vector<std::string> decoded;
  for (const Record& r : Decode(Data(window1::kTabPanel1), kTabPanel))
    decoded.push_back(r.name + " " + std::to_string(r.index) + " " + r.value);
  const std::vector<std::string> expected = {
      "Name 0 TabPanel1", "Visible 11 1",     "Left 12 1",        "Top 13 1",
      "Width 14 290",     "Height 15 309",    "AutoDeactivate 18 1", "TextFont 33 System",
      "TextSize 34 12",   "Value 30 1",       "PanelCount 27 2",  "TabDefinition 29 Solutions\r\nDilutions",
      "Enabled 28 1",
  };
  EXPECT_EQ(decoded, expected);
}

TEST(DesignValues, Windows) {
  const struct {
    const char* window;
    std::string data;
    std::map<std::string, std::string> values;
  } cases[] = {
      {"Window1", Data(window1::kWindow1),
       {{"Title", "Titrix"}, {"Width", "292"}, {"Height", "311"}, {"Placement", "2"}, {"Visible", "1"},
        {"MenuBarVisible", "1"}, {"CloseBox", "1"}, {"ZoomIcon", "1"}, {"MinWidth", "64"}, {"MinHeight", "64"},
        {"MaxWidth", "32000"}, {"MaxHeight", "32000"}, {"BackColor", "FFFFFF"}, {"HasBackColor", "0"}}},
      {"Window3", Data(window3::kWindow3),
       {{"Title", "Titrix Help"}, {"Width", "232"}, {"Height", "358"}, {"Placement", "2"}, {"Visible", "1"},
        {"MenuBarVisible", "1"}, {"CloseBox", "1"}, {"ZoomIcon", "1"}, {"MinWidth", "64"}, {"MinHeight", "64"},
        {"MaxWidth", "32000"}, {"MaxHeight", "32000"}, {"BackColor", "FFFFFF"}, {"HasBackColor", "1"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.window);
    EXPECT_EQ(ByName(Decode(c.data, kWindow)), c.values) << "exactly these properties";
  }
}

TEST(DesignValues, HelpWindowControls) {
  using namespace window3;
  const std::string help = Data(kStaticText1);
  const ControlCase cases[] = {
      {"StaticText1", &kStaticText, help, "", 0, 20, 14, 192, 205, {{"MultiLine", "1"}}},
      {"Separator1", &kRectControl, Data(kSeparator1), "", 0, 20, 220, 192, 4, {}},
      {"StaticText2", &kStaticText, Data(kStaticText2), "", 0, 20, 231, 192, 44, {{"MultiLine", "1"}}},
      {"StaticText3", &kStaticText, Data(kStaticText3), "", 0, 20, 293, 192, 28, {{"MultiLine", "1"}}},
      {"StaticText4", &kStaticText, Data(kStaticText4), "", 0, 20, 319, 100, 20,
       {{"Text", TITRIX_CONTACT}, {"Underline", "1"}, {"TextColor", "0000FF"}}},
      {"Separator2", &kRectControl, Data(kSeparator2), "", 0, 20, 278, 192, 4, {}},
  };
  for (const ControlCase& c : cases) CheckControl(c);

  const std::string text = ByName(Decode(help, kStaticText))["Text"];
  EXPECT_EQ(text,
            "There are two functions available in Titrix:\r\n\r\n"
            "The first function, under the \"Solutions\" tab, is able to parse a chemical formula, return its "
            "molecular weight, and calculate the selected property required for the solution based on the other "
            "two input variables.\r\n\r\n"
            "The second function, under the \"Dilutions\" tab, calculates the volume of a stock solution that must "
            "be added to DI water in order to produce the desired final solution.");
  const std::string invitation = ByName(Decode(Data(kStaticText3), kStaticText))["Text"];
  EXPECT_EQ(invitation.substr(invitation.size() - 3), "at:");
}

}  // namespace
}  // namespace titrix
