// The EndOfLine class: a line-end object whose properties give the three
// line ends, and whose operators join CR LF to a text.
#include <stddef.h>

#include "core/intrinsic_classes.h"
#include "core/lineends.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

// No data of its own; the word keeps the size the image expects.
struct EndOfLineObject {
  RuntimeObject header;
  uint32_t unused;
};
#if defined(__i386__)
static_assert(sizeof(EndOfLineObject) == 32);
#endif

const ParameterEntry kValueParameter[] = {Parameter("value", types::String)};

const PropertyEntry kEndOfLineProperties[] = {
    ReadOnlyProperty("Macintosh", types::String, QL_LINK(getMacEndOfLine)),
    ReadOnlyProperty("Windows", types::String, QL_LINK(getWin32EndOfLine)),
    ReadOnlyProperty("UNIX", types::String, QL_LINK(getUNIXEndOfLine)),
};

const MethodEntry kEndOfLineMethods[] = {
    Method("Operator_Convert", QL_LINK(RuntimeEndOfLine), types::String),
    Method("Operator_Add", QL_LINK(RuntimeEndOfLineAdd), types::String, kValueParameter),
    Method("Operator_AddRight", QL_LINK(RuntimeEndOfLineAddRight), types::String, kValueParameter),
};

const MethodEntry kGlobalFunctions[] = {
    Method("EndOfLine", QL_LINK(RuntimeGetEndOfLineObject), TypeOf(intrinsic::EndOfLine)),
};

}  // namespace

const Table<MethodEntry> kEndOfLineGlobalFunctions = kGlobalFunctions;

namespace intrinsic {

const ClassDescription EndOfLineDescription{
    .name = "EndOfLine",
    .instanceSize = sizeof(EndOfLineObject),
    .properties = kEndOfLineProperties,
    .methods = kEndOfLineMethods,
};
ObjectDefinition EndOfLine(EndOfLineDescription);

}  // namespace intrinsic
}  // namespace ql

using ql::LineEnd;
using ql::LineEndString;

QL_ENTRY RuntimeObject* RuntimeGetEndOfLineObject(void) {
  return RuntimeNewObject(ql::ClassOf(ql::intrinsic::EndOfLine));
}

QL_ENTRY RuntimeString* RuntimeEndOfLineAddRight(RuntimeObject*, RuntimeString* text) {
  return ql::ConcatStrings(text, LineEndString(LineEnd::Windows)).release();
}

QL_ENTRY RuntimeString* RuntimeEndOfLineAdd(RuntimeObject*, RuntimeString* text) {
  return ql::ConcatStrings(LineEndString(LineEnd::Windows), text).release();
}

QL_ENTRY RuntimeString* RuntimeEndOfLine(RuntimeObject*) { return ql::RetainString(LineEndString(LineEnd::Windows)); }

QL_ENTRY RuntimeString* getMacEndOfLine(RuntimeObject*, uint32_t) {
  return ql::RetainString(LineEndString(LineEnd::Macintosh));
}

QL_ENTRY RuntimeString* getWin32EndOfLine(RuntimeObject*, uint32_t) {
  return ql::RetainString(LineEndString(LineEnd::Windows));
}

QL_ENTRY RuntimeString* getUNIXEndOfLine(RuntimeObject*, uint32_t) {
  return ql::RetainString(LineEndString(LineEnd::Unix));
}
