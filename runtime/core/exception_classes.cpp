// RuntimeException and its subclasses. The subclasses add no fields or
// members; RuntimeException's destroy hook releases the Message of every one.
#include <stddef.h>

#include "core/intrinsic_classes.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"

namespace ql::intrinsic {
namespace {

void DestroyException(RuntimeObject* o) {
  RuntimeExceptionObject* e = reinterpret_cast<RuntimeExceptionObject*>(o);
  ReleaseString(e->message);
  e->message = nullptr;
}

const PropertyEntry kRuntimeExceptionProperties[] = {
    Property("Message", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter),
             offsetof(RuntimeExceptionObject, message)),
    Property("ErrorNumber", types::Integer, QL_LINK(intGetter), QL_LINK(intSetter),
             offsetof(RuntimeExceptionObject, errorNumber)),
};

}  // namespace

const ClassDescription RuntimeExceptionDescription{
    .name = "RuntimeException",
    .instanceSize = sizeof(RuntimeExceptionObject),
    .destroyHook = DestroyException,
    .properties = kRuntimeExceptionProperties,
};
ObjectDefinition RuntimeException(RuntimeExceptionDescription);

#define QL_EXCEPTION_CLASS(id)                                                                    \
  const ClassDescription id##Description{                                                         \
      .name = #id, .super = &RuntimeException, .instanceSize = sizeof(RuntimeExceptionObject)}; \
  ObjectDefinition id(id##Description)

QL_EXCEPTION_CLASS(NilObjectException);
QL_EXCEPTION_CLASS(IllegalCastException);
QL_EXCEPTION_CLASS(OutOfBoundsException);
QL_EXCEPTION_CLASS(typeMismatchException);
QL_EXCEPTION_CLASS(stackOverflowException);
QL_EXCEPTION_CLASS(InvalidParentException);
QL_EXCEPTION_CLASS(OutOfMemoryException);
QL_EXCEPTION_CLASS(KeyNotFoundException);
QL_EXCEPTION_CLASS(EndException);
QL_EXCEPTION_CLASS(ThreadAlreadyRunningException);
QL_EXCEPTION_CLASS(UnsupportedFormatException);
QL_EXCEPTION_CLASS(KeyChainException);
QL_EXCEPTION_CLASS(OLEException);
QL_EXCEPTION_CLASS(ServiceNotAvailableException);
QL_EXCEPTION_CLASS(NoOpenTransportException);
QL_EXCEPTION_CLASS(RegistryAccessErrorException);

#undef QL_EXCEPTION_CLASS

}  // namespace ql::intrinsic
