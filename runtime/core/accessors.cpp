// The standard property accessors: `param` is the byte offset of the field.
#include <string.h>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/object.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

// The field of `width` bytes at `param`, or nil: a nil object raises
// NilObjectException, a field beyond the instance is an internal error.
char* Field(RuntimeObject* object, uint32_t param, size_t width) {
  if (!object) {
    RaiseNilObjectException();
    return nullptr;
  }
  const uint32_t size = InstanceBytes(object->cls);
  if (!QL_CHECK(param >= kObjectHeaderSize && param <= size && width <= size - param, "RuntimeObjectFoundation",
                __LINE__, "param + width <= instanceSize"))
    return nullptr;
  return reinterpret_cast<char*>(object) + param;
}

template <class T>
T Read(RuntimeObject* object, uint32_t param) {
  T value{};
  if (const char* p = Field(object, param, sizeof(T))) memcpy(&value, p, sizeof(T));
  return value;
}

template <class T>
void Write(RuntimeObject* object, uint32_t param, T value) {
  if (char* p = Field(object, param, sizeof(T))) memcpy(p, &value, sizeof(T));
}

}  // namespace
}  // namespace ql

using namespace ql;

QL_ENTRY int32_t intGetter(RuntimeObject* object, uint32_t param) { return Read<int32_t>(object, param); }

QL_ENTRY void intSetter(RuntimeObject* object, uint32_t param, int32_t value) { Write(object, param, value); }

QL_ENTRY int32_t shortGetter(RuntimeObject* object, uint32_t param) { return Read<int16_t>(object, param); }

QL_ENTRY void shortSetter(RuntimeObject* object, uint32_t param, int32_t value) {
  Write(object, param, static_cast<int16_t>(value));
}

QL_ENTRY bool boolGetter(RuntimeObject* object, uint32_t param) { return Read<int8_t>(object, param) != 0; }

QL_ENTRY void boolSetter(RuntimeObject* object, uint32_t param, bool value) {
  Write(object, param, static_cast<uint8_t>(value ? 1 : 0));
}

QL_ENTRY float singleGetter(RuntimeObject* object, uint32_t param) { return Read<float>(object, param); }

QL_ENTRY void singleSetter(RuntimeObject* object, uint32_t param, float value) { Write(object, param, value); }

QL_ENTRY double doubleGetter(RuntimeObject* object, uint32_t param) { return Read<double>(object, param); }

QL_ENTRY void doubleSetter(RuntimeObject* object, uint32_t param, double value) { Write(object, param, value); }

QL_ENTRY RuntimeString* stringGetter(RuntimeObject* object, uint32_t param) {
  return RetainString(Read<RuntimeString*>(object, param));
}

QL_ENTRY void stringSetter(RuntimeObject* object, uint32_t param, RuntimeString* value) {
  char* p = Field(object, param, sizeof(RuntimeString*));
  if (!p) return;
  RuntimeString* old;
  memcpy(&old, p, sizeof old);
  if (old == value) return;
  RetainString(value);
  memcpy(p, &value, sizeof value);
  ReleaseString(old);
}

QL_ENTRY RuntimeObject* objGetter(RuntimeObject* object, uint32_t param) {
  RuntimeObject* value = Read<RuntimeObject*>(object, param);
  RuntimeLockObject(value);
  return value;
}

QL_ENTRY void objSetter(RuntimeObject* object, uint32_t param, RuntimeObject* value) {
  char* p = Field(object, param, sizeof(RuntimeObject*));
  if (!p) return;
  RuntimeObject* old;
  memcpy(&old, p, sizeof old);
  memcpy(p, &value, sizeof value);
  RuntimeLockUnlockObjects(value, old);
}
