// Helpers shared by the accessors of the intrinsic control classes.
#pragma once

#include "core/exception.h"
#include "core/string.h"
#include "quillon/abi.h"
#include "ui/control_object.h"
#include "ui/font_record.h"

namespace ql::ui {

// The instance of a control accessor's receiver; nil raises
// NilObjectException (the accessor then returns its failure value).
template <class T>
T* FieldsOf(RuntimeObject* o) {
  if (!o) {
    RaiseNilObjectException();
    return nullptr;
  }
  return reinterpret_cast<T*>(o);
}

// A string field's value with one reference for the caller.
inline RuntimeString* Retained(RuntimeString* s) { return RetainString(s); }

// The five font properties of either record, as the font cache takes them.
struct FontChoice {
  RuntimeString* face;
  int32_t size;  // 0 means 12
  bool bold, italic, underline;
};
inline FontChoice ChoiceOf(const FontRecordSizeFirst& f) {
  return FontChoice{f.textFont, f.textSize, f.bold != 0, f.italic != 0, f.underline != 0};
}
inline FontChoice ChoiceOf(const FontRecordStylesFirst& f) {
  return FontChoice{f.textFont, f.textSize, f.bold != 0, f.italic != 0, f.underline != 0};
}

// The font properties of any control object with a `font` record. The
// setters return the object (nil for a nil receiver) so that the caller
// rebuilds the pane's font.
enum class FontFlag { Bold, Italic, Underline };

template <class Record>
uint8_t& FlagOf(Record& font, FontFlag flag) {
  return flag == FontFlag::Bold ? font.bold : flag == FontFlag::Italic ? font.italic : font.underline;
}

template <class T>
RuntimeString* FontFaceOf(RuntimeObject* o) {
  T* t = FieldsOf<T>(o);
  return t ? Retained(t->font.textFont) : nullptr;
}
template <class T>
int32_t FontSizeOf(RuntimeObject* o) {
  T* t = FieldsOf<T>(o);
  return t ? t->font.textSize : 0;
}
template <class T>
bool FontFlagOf(RuntimeObject* o, FontFlag flag) {
  T* t = FieldsOf<T>(o);
  return t && FlagOf(t->font, flag);
}
template <class T>
T* SetFontFace(RuntimeObject* o, RuntimeString* face) {
  T* t = FieldsOf<T>(o);
  if (t) AssignString(&t->font.textFont, face);
  return t;
}
template <class T>
T* SetFontSize(RuntimeObject* o, int32_t size) {
  T* t = FieldsOf<T>(o);
  if (t) t->font.textSize = static_cast<int16_t>(size);
  return t;
}
template <class T>
T* SetFontFlag(RuntimeObject* o, FontFlag flag, bool value) {
  T* t = FieldsOf<T>(o);
  if (t) FlagOf(t->font, flag) = value;
  return t;
}

}  // namespace ql::ui
