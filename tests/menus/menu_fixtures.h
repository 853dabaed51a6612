// Small helpers for building menu trees in tests the way the image does:
// create the item objects, set their properties, append them.
#pragma once

#include <string>

#include "core/intrinsic_classes.h"
#include "core/object.h"
#include "core/string.h"
#include "menus/menu_item.h"
#include "quillon/entrypoints/menus.h"
#include "quillon/entrypoints/objects.h"

namespace ql::test {

inline String Str(const char* text) { return NewStringFromCText(text); }
inline std::string Std(RuntimeString* s) { return std::string(StringText(s), static_cast<size_t>(StringLength(s))); }
// Takes over an entry point's string result.
inline std::string Taken(RuntimeString* s) { return Std(String::Adopt(s).get()); }

inline ObjectRef NewObjectOf(ObjectDefinition& definition) {
  return ObjectRef::Adopt(RuntimeNewObject(ClassOf(definition)));
}

// An item with a text and, when given, a name and a command key.
inline ObjectRef NewItem(const char* text, const char* name = nullptr, const char* key = nullptr,
                         ObjectDefinition& definition = intrinsic::MenuItem) {
  ObjectRef item = NewObjectOf(definition);
  RuntimeMenuItemDefaultConstructor(item.get());
  RuntimeMenuItemTextSetter(item.get(), 0, Str(text).get());
  if (name) RuntimeMenuItemNameSetter(item.get(), 0, Str(name).get());
  if (key) RuntimeMenuItemCommandKeySetter(item.get(), 0, Str(key).get());
  return item;
}

inline ObjectRef NewBar() {
  ObjectRef bar = NewObjectOf(intrinsic::MenuBar);
  RuntimeMenuItemDefaultConstructor(bar.get());
  return bar;
}

inline void Append(const ObjectRef& parent, const ObjectRef& child) { RuntimeMenuItemAppend(parent.get(), child.get()); }

inline menus::MenuItemImp* Imp(const ObjectRef& item) { return menus::ImpOf(item.get()); }
inline menus::NativeMenu MenuOf(const ObjectRef& item) { return Imp(item)->nativeMenu(); }

}  // namespace ql::test
