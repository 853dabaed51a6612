// The signature language that names methods, event implementations and
// properties in class tables: "name%result%receiver-params", with the type
// codes s i b f d c, `a` + element code, o<Class>, `&` before a parameter
// passed by reference, and a leading `#` on event implementations.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include <string_view>

#include "core/array.h"
#include "core/string.h"
#include "core/type_descriptor.h"

namespace ql {

struct ParameterEntry;

// --- Building ---

// A growable text for composing signatures.
class SignatureText {
 public:
  void Append(std::string_view text);
  void Append(char c) { bytes_.Append(c); }
  std::string_view View() const { return {bytes_.begin(), bytes_.Count()}; }
  String ToString() const;  // ASCII

 private:
  Array<char> bytes_;
};

// Appends the code of `type`. A scalar without a code, or a missing type, is
// reported and appends nothing (false).
bool AppendTypeCode(SignatureText& out, const TypeReference* type);

// "name%code", the form of an intrinsic property.
String PropertySignature(const char* name, const TypeReference* type);
// "name%result%o<receiver>params"; result may be nil (no result).
String MethodSignature(const char* name, const TypeReference* result, std::string_view receiverClass,
                       const ParameterEntry* parameters, uint32_t parameterCount);

// --- Reading ---

struct SignatureParts {
  bool eventImplementation = false;  // the name carried a leading '#'
  std::string_view name;
  std::string_view result;      // one type code, or empty
  std::string_view receiver;    // o<Class>, or empty
  std::string_view parameters;  // the parameter codes, unseparated
};

// Splits and checks a signature; false when it is malformed (empty name,
// more than three fields, a field that is not a sequence of valid codes).
// `out` may be nil to check only.
bool SplitSignature(std::string_view text, SignatureParts* out);

struct TypeCode {
  std::string_view text;       // the whole code, '&' excluded ("ai", "o<Window>")
  bool byReference = false;
  char kind = 0;               // its first letter
  std::string_view className;  // for o<Class>
};

// Reads one code from the front of `*rest` (a '&' first when `allowByRef`)
// and advances past it; false, with `*rest` unchanged, when there is none.
enum class ByReference { Refused, Allowed };
bool ReadTypeCode(std::string_view* rest, TypeCode* out, ByReference byRef = ByReference::Refused);

// The n-th '%'-separated field (1-based) of a signature, empty when absent.
std::string_view SignatureField(std::string_view text, int n);

inline std::string_view TextOf(RuntimeString* s) {
  return {StringText(s), static_cast<size_t>(StringLength(s))};
}

}  // namespace ql
