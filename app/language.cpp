#include "language.h"

#include "quillon/compiled_class.h"
#include "quillon/intrinsic_tables.h"

namespace titrix {

using quillon::IsNil;

String WithEndOfLine(const String& text) {
  Object eol = Object::Adopt(RuntimeGetEndOfLineObject());
  return String::Adopt(RuntimeEndOfLineAddRight(eol.get(), text.get()));
}

void MsgBox(const String& text) { RuntimeMsgBox(text.get()); }

int32_t Truncate(double value) {
  if (!(value > -2147483649.0 && value < 2147483648.0)) return INT32_MIN;
  return static_cast<int32_t>(value);
}

String FieldText(const Object& field) {
  if (IsNil(field.get())) return nullptr;
  return String::Adopt(editTextGetter(field.get(), 0));
}

void SetFieldText(const Object& field, const String& text) {
  if (!IsNil(field.get())) editTextSetter(field.get(), 0, text.get());
}

int32_t ListIndex(const Object& popup) {
  if (IsNil(popup.get())) return 0;
  return RuntimePopupSelectionGetter(popup.get(), 0);
}

void SetListIndex(const Object& popup, int32_t index) {
  if (!IsNil(popup.get())) RuntimePopupSelectionSetter(popup.get(), 0, index);
}

void AddRow(const Object& popup, const String& text) {
  if (!IsNil(popup.get())) RuntimePopupAddRow(popup.get(), text.get());
}

void SetTop(const Object& control, int32_t top) {
  constexpr uint32_t kTop = 1;  // ctlPosSetter's selector: Left, Top, Width, Height
  if (!IsNil(control.get())) ctlPosSetter(control.get(), kTop, top);
}

void SetVisible(const Object& control, bool visible) {
  if (!IsNil(control.get())) ControlVisibleSetter(control.get(), 0, visible);
}

void SetBold(const Object& label, bool bold) {
  if (IsNil(label.get())) return;
  // Bold's param is the flag's offset in the instance, which differs between
  // the machines: take it from the class's table, as the mass-property data
  // addresses the property by index.
  const RuntimeClass* cls = label->cls;
  if (cls->propertyCount <= quillon::StaticTextProperty::Bold) return;
  staticAttributeSetter(label.get(), cls->properties[quillon::StaticTextProperty::Bold].param, bold);
}

int32_t ListCount(const Object& list) {
  if (IsNil(list.get())) return 0;
  return listCountGetter(list.get(), 0);
}

int32_t ColumnCount(const Object& list) {
  if (IsNil(list.get())) return 0;
  return listColumnCountGetter(list.get(), 0);
}

void SetColumnCount(const Object& list, int32_t count) {
  if (!IsNil(list.get())) listColumnCountSetter(list.get(), 0, count);
}

void AddListRow(const Object& list, const String& text) {
  if (!IsNil(list.get())) RuntimeListAddRow(list.get(), text.get());
}

String Cell(const Object& list, int32_t row, int32_t column) {
  if (IsNil(list.get())) return nullptr;
  return String::Adopt(listGetCell(list.get(), row, column));
}

void SetCell(const Object& list, int32_t row, int32_t column, const String& text) {
  if (!IsNil(list.get())) listSetCell(list.get(), row, column, text.get());
}

bool Checked(const Object& item) {
  if (IsNil(item.get())) return false;
  return RuntimeMenuItemCheckedGetter(item.get(), 0);
}

void SetChecked(const Object& item, bool checked) {
  if (!IsNil(item.get())) RuntimeMenuItemCheckedSetter(item.get(), 0, checked);
}

}  // namespace titrix
