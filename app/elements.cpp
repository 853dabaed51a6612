// The element table: elements.txt, beside the program, loaded into the
// hidden list `data` (row r holds line r + 1, cell c its field c + 1).
#include "titrix.h"
#include "titrix_config.h"

namespace titrix {
namespace {

using quillon::IsNil;

// Cells take columns 0 to 255; the fields of a longer line are not stored
// (the calculator reads only the symbol and the weight).
constexpr int32_t kStoredFields = 256;

String MissingFileMessage() {
  return WithEndOfLine(S(QL_STR("The file elements.txt must be available in the same"))) +
         WithEndOfLine(S(QL_STR("directory that the application is running from."))) + WithEndOfLine(S(QL_STR(" "))) +
         WithEndOfLine(S(QL_STR("If you cannot find this file, vist:"))) +
         WithEndOfLine(S(QL_STR("the release archive titrix-" TITRIX_VERSION "-win64.zip (or -win32.zip)"))) +
         S(QL_STR("to download another copy."));
}

bool Exists(const Object& item) { return item && fileExistsGetter(item.get(), 0); }

}  // namespace

bool LoadElementTable(RuntimeObject* window, const quillon::MethodScope& scope) {
  Object file = Object::Adopt(RuntimeGetFolderItem(QL_ASCII("elements.txt")));
  if (!Exists(file)) {
    MsgBox(MissingFileMessage());
    ApplicationQuit();
    return false;
  }
  Object stream = Object::Adopt(FolderItemOpenTextFile(file.get()));
  if (IsNil(stream.get())) return false;  // it exists but cannot be read: reported as unhandled
  Object data = Control(window, W1::data);
  const String tab = String::Adopt(StringDBCSChr(9));
  do {
    const String line = String::Adopt(TextInputStreamReadLine(stream.get(), nullptr));
    const int32_t fields = StringCountFields(line.get(), tab.get());
    if (ColumnCount(data) < fields) SetColumnCount(data, fields);
    AddListRow(data, String::Adopt(StringNthField(line.get(), tab.get(), 1)));
    const int32_t row = ListCount(data) - 1;
    for (int32_t i = 1; i <= fields && i <= kStoredFields && !scope.raised(); ++i) {
      SetCell(data, row, i - 1, String::Adopt(StringNthField(line.get(), tab.get(), i)));
      RuntimeBackgroundTask();
    }
    RuntimeBackgroundTask();
  } while (!scope.raised() && !TextInputStreamEOF(stream.get(), 0));
  TextInputStreamClose(stream.get());
  return !scope.raised();
}

}  // namespace titrix
