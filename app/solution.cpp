// The "Solutions" page: its pop-ups, the arrangement of its three rows by
// calculation mode, and the Calculate button (the formula scan, then the
// selected quantity after every symbol).
#include "formula.h"
#include "solution.h"
#include "titrix.h"
#include "units.h"

namespace titrix {
namespace {

using quillon::MethodScope;

constexpr RuntimeString* kWeightFormats[] = {QL_STR("Formula"), QL_STR("Weight")};
enum : int32_t { kFormula = 0, kWeight = 1 };

// One row of the page: a label, an edit field and a unit pop-up.
struct Row {
  W1 label, field, units;
};
constexpr Row kConcentration{W1::text_conc, W1::conc, W1::conc_units};
constexpr Row kVolume{W1::text_vol, W1::vol, W1::vol_units};
constexpr Row kMass{W1::text_mass, W1::result_1, W1::result_1_units};

// By mode: the rows from top to bottom; the bottom one, below the separator,
// is the one calculated.
constexpr Row kArrangements[3][3] = {
    {kConcentration, kVolume, kMass},  // mass from concentration and volume
    {kMass, kConcentration, kVolume},  // volume from mass and concentration
    {kMass, kVolume, kConcentration},  // molarity from mass and volume
};
constexpr int32_t kLabelTops[3] = {142, 177, 228};
constexpr int32_t kFieldTops[3] = {144, 179, 230};

// The field each mode writes its result into.
constexpr W1 kResultFields[3] = {W1::result_1, W1::vol, W1::conc};

SolutionInputs ReadInputs(RuntimeObject* window) {
  SolutionInputs in;
  in.concentration = CDbl(FieldText(Control(window, W1::conc)));
  in.volume = CDbl(FieldText(Control(window, W1::vol)));
  in.fC = FactorAt(kSolutionConcentrations, ListIndex(Control(window, W1::conc_units)));
  in.fV = FactorAt(kSolutionVolumes, ListIndex(Control(window, W1::vol_units)));
  in.fM = FactorAt(kSolutionMasses, ListIndex(Control(window, W1::result_1_units)));
  in.mass = CDbl(FieldText(Control(window, W1::result_1)));
  return in;
}

// The formula scan on this page: the element table is the hidden list
// `data`, and after every symbol the selected quantity is computed with the
// molecular weight known then and written to its field.
class SolutionPage {
 public:
  SolutionPage(RuntimeObject* window, const SolutionInputs& inputs, const MethodScope& scope)
      : window_(window), data_(Control(window, W1::data)), inputs_(inputs), scope_(scope) {}

  int32_t Rows() { return ListCount(data_); }
  String Symbol(int32_t row) { return Cell(data_, row, 0); }
  String Weight(int32_t row) { return Cell(data_, row, 2); }

  // Input and paint are served meanwhile; a quit, or the window closing,
  // ends the calculation.
  bool Serve() {
    RuntimeBackgroundTask();
    return !scope_.raised() && !StateOf(window_).closed;
  }

  void RefuseParentheses() { MsgBox(S(QL_STR("Please enter formulas in the form of C6H12O6, not (CH2O)6."))); }

  bool SymbolRead(const String& sum) {
    const int32_t format = ListIndex(Control(window_, W1::weight_format));
    if (format == kFormula)
      mw_ = Val(sum);
    else if (format == kWeight)
      mw_ = Val(FieldText(Control(window_, W1::formula_field)));
    const int32_t mode = ListIndex(Control(window_, W1::calculate_what));
    double result;
    if (SolveSolution(mode, inputs_, mw_, result)) SetFieldText(Control(window_, kResultFields[mode]), Str(result));
    return !scope_.raised();
  }

 private:
  RuntimeObject* window_;
  Object data_;
  SolutionInputs inputs_;
  const MethodScope& scope_;
  double mw_ = 0;
};

}  // namespace

void GroupBox1_Open(RuntimeObject* window, RuntimeObject*) {
  MethodScope scope;
  FillPopup(Control(window, W1::weight_format), kWeightFormats, 2, kFormula);
  FillUnits(Control(window, W1::conc_units), kSolutionConcentrations, 1);  // millimolar
  FillUnits(Control(window, W1::vol_units), kSolutionVolumes, 2);          // milliliter
  FillUnits(Control(window, W1::result_1_units), kSolutionMasses, 1);      // gram
}

void calculate_what_Change(RuntimeObject* window, RuntimeObject*) {
  MethodScope scope;
  const int32_t mode = ListIndex(Control(window, W1::calculate_what));
  if (mode != kMassMode && mode != kMolarityMode && mode != kVolumeMode) return;
  Object group = Control(window, W1::GroupBox1);
  SetVisible(group, false);
  for (int32_t position = 0; position < 3; ++position) {
    const Row& row = kArrangements[mode][position];
    Object label = Control(window, row.label);
    SetTop(label, kLabelTops[position]);
    SetTop(Control(window, row.field), kFieldTops[position]);
    SetTop(Control(window, row.units), kFieldTops[position]);
    SetBold(label, position == 2);
  }
  SetVisible(group, true);
}

void PushButton1_Action(RuntimeObject* window, RuntimeObject*) {
  MethodScope scope;
  Window1State& state = StateOf(window);
  // A press served by the background tasks of a running calculation.
  if (state.calculating) return;
  state.calculating = 1;
  SolutionPage page(window, ReadInputs(window), scope);
  const FormulaSum sum = ScanFormula(FieldText(Control(window, W1::formula_field)), page);
  if (sum.finished && ListIndex(Control(window, W1::weight_format)) == kFormula &&
      Checked(MenuItem(window, Item::show_mw)))
    MsgBox(S(QL_STR("M.W. is ")) + sum.weight + S(QL_STR(" g/mol")));
  state.calculating = 0;
}

}  // namespace titrix
