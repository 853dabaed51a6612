// The language built-ins and member accesses the calculator's code uses,
// each one runtime entry point: Str, Val, CDbl, EndOfLine, MsgBox, and the
// properties and methods of controls and menu items. A member access through
// nil raises NilObjectException and gives the failure value, as compiled
// code does.
#pragma once

#include "quillon/image.h"

namespace titrix {

using quillon::Object;
using quillon::String;

// --- Built-in functions ---
inline String Str(double value) { return String::Adopt(StringStr(value)); }
inline double Val(const String& text) { return StringVal(text.get()); }
inline double CDbl(const String& text) { return runCDbl(text.get()); }
inline String S(RuntimeString* literal) { return String::Borrow(literal); }
// text + EndOfLine (CR LF).
String WithEndOfLine(const String& text);
void MsgBox(const String& text);

// The integer of a double as the machine's conversion gives it: the
// fraction dropped, and the machine's "integer indefinite" (-2^31) for NaN
// and for values outside the 32-bit range.
int32_t Truncate(double value);

// --- EditField ---
String FieldText(const Object& field);
void SetFieldText(const Object& field, const String& text);

// --- PopupMenu ---
int32_t ListIndex(const Object& popup);
void SetListIndex(const Object& popup, int32_t index);
void AddRow(const Object& popup, const String& text);

// --- RectControl, StaticText ---
void SetTop(const Object& control, int32_t top);
void SetVisible(const Object& control, bool visible);
void SetBold(const Object& label, bool bold);

// --- Listbox ---
int32_t ListCount(const Object& list);
int32_t ColumnCount(const Object& list);
void SetColumnCount(const Object& list, int32_t count);
void AddListRow(const Object& list, const String& text);
String Cell(const Object& list, int32_t row, int32_t column);
void SetCell(const Object& list, int32_t row, int32_t column, const String& text);

// --- MenuItem ---
bool Checked(const Object& item);
void SetChecked(const Object& item, bool checked);

}  // namespace titrix
