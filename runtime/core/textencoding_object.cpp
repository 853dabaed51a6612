#include "core/textencoding_object.h"

#include "core/intrinsic_classes.h"
#include "quillon/entrypoints/objects.h"

namespace ql {

ObjectRef NewTextEncodingObject(uint32_t encoding) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::TextEncoding)));
  if (o) reinterpret_cast<TextEncodingObject*>(o.get())->encoding = encoding;
  return o;
}

uint32_t TextEncodingValue(RuntimeObject* encoding, uint32_t fallback) {
  if (!encoding || !ClassDescendsFrom(encoding->cls, ClassOf(intrinsic::TextEncoding))) return fallback;
  return reinterpret_cast<TextEncodingObject*>(encoding)->encoding;
}

namespace intrinsic {
// Its members (names, bases, variants of the value) are not built; the
// object carries the value for the runtime's own use.
const ClassDescription TextEncodingDescription{
    .name = "TextEncoding",
    .instanceSize = sizeof(TextEncodingObject),
};
ObjectDefinition TextEncoding(TextEncodingDescription);
}  // namespace intrinsic

}  // namespace ql
