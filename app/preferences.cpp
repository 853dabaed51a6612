// prefs.txt, beside the program: the 26 lines Window1.Close writes every
// time and Window1.Open reads back (fields, units and mode only when the
// first line says "Remember Input Fields" was on).
#include "titrix.h"

namespace titrix {
namespace {

using quillon::IsNil;

enum class Kind : uint8_t {
  Separator,   // " ", never read
  SaveFields,  // "True" / "False": Remember Input Fields
  ShowMw,      // "True" / "False": Show Calculated M.W.
  Field,       // an edit field's text
  Selection,   // Str of a pop-up's ListIndex
};

struct Line {
  Kind kind;
  W1 control;  // for Field and Selection
};

constexpr Line kLines[26] = {
    {Kind::SaveFields, {}},
    {Kind::Separator, {}},
    {Kind::Field, W1::conc},
    {Kind::Field, W1::vol},
    {Kind::Field, W1::result_1},
    {Kind::Separator, {}},
    {Kind::Selection, W1::conc_units},
    {Kind::Selection, W1::vol_units},
    {Kind::Selection, W1::result_1_units},
    {Kind::Separator, {}},
    {Kind::Selection, W1::weight_format},
    {Kind::Field, W1::formula_field},
    {Kind::Separator, {}},
    {Kind::Field, W1::stock_conc},
    {Kind::Field, W1::des_conc},
    {Kind::Field, W1::des_vol},
    {Kind::Field, W1::req_vol},
    {Kind::Separator, {}},
    {Kind::Selection, W1::stock_conc_units},
    {Kind::Selection, W1::des_conc_units},
    {Kind::Selection, W1::des_vol_units},
    {Kind::Selection, W1::req_vol_units},
    {Kind::Separator, {}},
    {Kind::ShowMw, {}},
    {Kind::Separator, {}},
    {Kind::Selection, W1::calculate_what},
};
constexpr int32_t kLineCount = sizeof kLines / sizeof kLines[0];

String Boolean(bool value) { return S(value ? QL_ASCII("True") : QL_ASCII("False")); }

String TextOf(RuntimeObject* window, const Line& line) {
  switch (line.kind) {
    case Kind::SaveFields:
      return Boolean(Checked(MenuItem(window, Item::save_fields)));
    case Kind::ShowMw:
      return Boolean(Checked(MenuItem(window, Item::show_mw)));
    case Kind::Field:
      return FieldText(Control(window, line.control));
    case Kind::Selection:
      return Str(ListIndex(Control(window, line.control)));
    case Kind::Separator:
      break;
  }
  return S(QL_ASCII(" "));
}

// Line `index` (from 0) of the file, when the fields are to be restored.
void Restore(RuntimeObject* window, int32_t index, const String& text) {
  if (index <= 0 || index >= kLineCount) return;  // the first line was read already; lines past 26 are ignored
  const Line& line = kLines[index];
  switch (line.kind) {
    case Kind::Field:
      SetFieldText(Control(window, line.control), text);
      break;
    case Kind::Selection:
      SetListIndex(Control(window, line.control), Truncate(Val(text)));
      break;
    case Kind::ShowMw:
      SetChecked(MenuItem(window, Item::show_mw), text == S(QL_ASCII("True")));
      break;
    case Kind::SaveFields:
    case Kind::Separator:
      break;
  }
}

}  // namespace

void WritePreferences(RuntimeObject* window) {
  Object file = Object::Adopt(RuntimeGetFolderItem(QL_ASCII("prefs.txt")));
  if (IsNil(file.get())) return;
  Object stream = Object::Adopt(FolderItemCreateTextFile(file.get()));
  if (IsNil(stream.get())) return;  // cannot be created: reported as unhandled
  for (const Line& line : kLines) TextOutputStreamWriteLine(stream.get(), TextOf(window, line).get());
  TextOutputStreamClose(stream.get());
}

void ReadPreferences(RuntimeObject* window, const quillon::MethodScope& scope) {
  Window1State& state = StateOf(window);
  Object file = Object::Adopt(RuntimeGetFolderItem(QL_ASCII("prefs.txt")));
  if (!file || !fileExistsGetter(file.get(), 0)) {
    state.preferencesRead = 1;  // nothing to restore; the next close creates the file
    return;
  }
  Object stream = Object::Adopt(FolderItemOpenTextFile(file.get()));
  if (IsNil(stream.get())) return;  // it exists but cannot be read: reported as unhandled, and kept
  const Object saveFields = MenuItem(window, Item::save_fields);
  int32_t index = 0;
  do {
    const String text = String::Adopt(TextInputStreamReadLine(stream.get(), nullptr));
    if (index == 0 && text == S(QL_ASCII("True"))) SetChecked(saveFields, true);
    if (Checked(saveFields)) Restore(window, index, text);
    ++index;
    RuntimeBackgroundTask();
  } while (!scope.raised() && !TextInputStreamEOF(stream.get(), 0));
  TextInputStreamClose(stream.get());
  state.preferencesRead = !scope.raised();
}

}  // namespace titrix
