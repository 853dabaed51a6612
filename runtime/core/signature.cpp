#include "core/signature.h"

#include <string.h>

#include "core/assertion.h"
#include "core/object_definition.h"

namespace ql {
namespace {

constexpr const char kSource[] = "ObjectDefinitionConverter";

struct ScalarCode {
  const char* name;
  char code;
};
constexpr ScalarCode kScalarCodes[] = {{"String", 's'}, {"Integer", 'i'}, {"Boolean", 'b'},
                                       {"Single", 'f'}, {"Double", 'd'},  {"Color", 'c'}};

char CodeOfScalar(const TypeDescriptor& t) {
  for (const ScalarCode& c : kScalarCodes)
    if (t.name && strcmp(t.name, c.name) == 0) return c.code;
  return 0;
}

bool IsScalarCode(char c) { return c == 's' || c == 'i' || c == 'b' || c == 'f' || c == 'd' || c == 'c'; }

// Reads a code without '&'; advances `at` past it.
bool ReadBareCode(std::string_view text, size_t* at, std::string_view* className) {
  if (*at >= text.size()) return false;
  const char c = text[*at];
  if (IsScalarCode(c)) {
    ++*at;
    return true;
  }
  if (c == 'a') {
    size_t next = *at + 1;
    std::string_view ignored;
    if (!ReadBareCode(text, &next, &ignored)) return false;
    *at = next;
    return true;
  }
  if (c == 'o') {
    if (*at + 1 >= text.size() || text[*at + 1] != '<') return false;
    const size_t close = text.find('>', *at + 2);
    if (close == std::string_view::npos || close == *at + 2) return false;
    *className = text.substr(*at + 2, close - (*at + 2));
    *at = close + 1;
    return true;
  }
  return false;
}

// The whole field is a sequence of codes (at most `limit`, 0: any number).
bool IsCodeSequence(std::string_view field, ByReference byRef, size_t limit) {
  size_t n = 0;
  while (!field.empty()) {
    TypeCode code;
    if (!ReadTypeCode(&field, &code, byRef)) return false;
    if (limit && ++n > limit) return false;
  }
  return true;
}

}  // namespace

// --- Building ---

void SignatureText::Append(std::string_view text) {
  for (char c : text) bytes_.Append(c);
}

String SignatureText::ToString() const {
  return NewStringFromBytes(bytes_.begin(), static_cast<int32_t>(bytes_.Count()), QL_ENCODING_ASCII);
}

bool AppendTypeCode(SignatureText& out, const TypeReference* type) {
  if (const TypeDescriptor* scalar = AsScalar(type)) {
    const char code = CodeOfScalar(*scalar);
    if (!code) {
      ReportAssertion(kSource, __LINE__, "0", "Unknown scalar type in signature.");
      return false;
    }
    out.Append(code);
    return true;
  }
  if (const ArrayType* array = AsArray(type)) {
    out.Append('a');
    return AppendTypeCode(out, array->element);
  }
  if (const ObjectDefinition* d = AsDefinition(type)) {
    // The description names a definition that is not set up yet.
    out.Append("o<");
    out.Append(d->name ? TextOf(d->name) : std::string_view(d->description->name ? d->description->name : ""));
    out.Append('>');
    return true;
  }
  ReportAssertion(kSource, __LINE__, "type", "Missing or unknown type in signature.");
  return false;
}

String PropertySignature(const char* name, const TypeReference* type) {
  SignatureText text;
  text.Append(name ? name : "");
  text.Append('%');
  AppendTypeCode(text, type);
  return text.ToString();
}

String MethodSignature(const char* name, const TypeReference* result, std::string_view receiverClass,
                       const ParameterEntry* parameters, uint32_t parameterCount) {
  SignatureText text;
  text.Append(name ? name : "");
  text.Append('%');
  if (result) AppendTypeCode(text, result);
  text.Append('%');
  text.Append("o<");
  text.Append(receiverClass);
  text.Append('>');
  for (uint32_t i = 0; i < parameterCount; ++i) {
    if (parameters[i].byRef & 0xFF) text.Append('&');
    AppendTypeCode(text, parameters[i].type);
  }
  return text.ToString();
}

// --- Reading ---

bool ReadTypeCode(std::string_view* rest, TypeCode* out, ByReference byRef) {
  std::string_view text = *rest;
  size_t at = 0;
  TypeCode code;
  if (byRef == ByReference::Allowed && !text.empty() && text[0] == '&') {
    code.byReference = true;
    at = 1;
  }
  const size_t start = at;
  if (!ReadBareCode(text, &at, &code.className)) return false;
  code.text = text.substr(start, at - start);
  code.kind = text[start];
  if (code.kind != 'o') code.className = {};
  *out = code;
  rest->remove_prefix(at);
  return true;
}

std::string_view SignatureField(std::string_view text, int n) {
  for (int i = 1; i < n; ++i) {
    const size_t p = text.find('%');
    if (p == std::string_view::npos) return {};
    text.remove_prefix(p + 1);
  }
  return text.substr(0, text.find('%'));
}

bool SplitSignature(std::string_view text, SignatureParts* out) {
  SignatureParts parts;
  if (!text.empty() && text[0] == '#') {
    parts.eventImplementation = true;
    text.remove_prefix(1);
  }
  const size_t first = text.find('%');
  parts.name = text.substr(0, first);
  if (parts.name.empty()) return false;
  if (first != std::string_view::npos) {
    std::string_view rest = text.substr(first + 1);
    const size_t second = rest.find('%');
    parts.result = rest.substr(0, second);
    if (second != std::string_view::npos) {
      rest.remove_prefix(second + 1);
      if (rest.find('%') != std::string_view::npos) return false;
      // The receiver, when there is one, is the first code of the field.
      if (!rest.empty() && rest[0] == 'o') {
        TypeCode receiver;
        std::string_view scan = rest;
        if (!ReadTypeCode(&scan, &receiver)) return false;
        parts.receiver = receiver.text;
        rest = scan;
      }
      parts.parameters = rest;
    }
  }
  if (!IsCodeSequence(parts.result, ByReference::Refused, 1)) return false;
  if (!IsCodeSequence(parts.parameters, ByReference::Allowed, 0)) return false;
  if (out) *out = parts;
  return true;
}

}  // namespace ql
