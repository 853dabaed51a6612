// Fuzz entry: any bytes as a signature of a class table
// ("name%result%receiver-params"). The reader must never read outside the
// text, and what it reads must agree with itself: an accepted signature's
// parts are its '%'-separated fields, its result is one code, and its
// receiver and parameters read back as whole codes.
#include <stddef.h>
#include <stdint.h>

#include <string_view>

#include "core/signature.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

bool Inside(std::string_view part, std::string_view text) {
  return part.empty() || (part.data() >= text.data() && part.data() + part.size() <= text.data() + text.size());
}

// Reads `codes` as a sequence of whole type codes; how many, or -1.
int CountCodes(std::string_view codes, ql::ByReference byRef) {
  int n = 0;
  while (!codes.empty()) {
    const std::string_view before = codes;
    ql::TypeCode code;
    if (!ql::ReadTypeCode(&codes, &code, byRef)) {
      Require(codes == before, "a refused code leaves the text as it was");
      return -1;
    }
    Require(codes.size() < before.size(), "a code is read past");
    Require(code.text.size() + code.byReference == before.size() - codes.size(), "a code is what was read past");
    Require(!code.text.empty() && code.kind == code.text[0], "a code's kind is its first letter");
    Require(code.kind != 'o' || (!code.className.empty() && code.text.size() == code.className.size() + 3),
            "an object code is o<Class>");
    ++n;
  }
  return n;
}

void CheckAccepted(std::string_view text, const ql::SignatureParts& parts) {
  for (std::string_view part : {parts.name, parts.result, parts.receiver, parts.parameters})
    Require(Inside(part, text), "the parts lie inside the text");
  const std::string_view fields = parts.eventImplementation ? text.substr(1) : text;
  Require(parts.eventImplementation == (!text.empty() && text[0] == '#'), "a leading # marks an event");
  Require(!parts.name.empty() && parts.name == ql::SignatureField(fields, 1), "the name is the first field");
  Require(parts.result == ql::SignatureField(fields, 2), "the result is the second field");
  Require(parts.result.empty() || CountCodes(parts.result, ql::ByReference::Refused) == 1, "a result is one code");
  const std::string_view third = ql::SignatureField(fields, 3);
  Require(third.size() == parts.receiver.size() + parts.parameters.size() &&
              third.substr(0, parts.receiver.size()) == parts.receiver &&
              third.substr(parts.receiver.size()) == parts.parameters,
          "the receiver and the parameters make the third field");
  Require(parts.receiver.empty() || CountCodes(parts.receiver, ql::ByReference::Refused) == 1,
          "a receiver is one code");
  Require(CountCodes(parts.parameters, ql::ByReference::Allowed) >= 0, "the parameters are whole codes");
  Require(ql::SignatureField(fields, 4).empty(), "there is no fourth field");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(bytes), size);
  ql::SignatureParts parts;
  const bool accepted = ql::SplitSignature(text, &parts);
  Require(accepted == ql::SplitSignature(text, nullptr), "checking alone agrees with splitting");
  if (accepted) CheckAccepted(text, parts);
  for (int n = 0; n <= 4; ++n) Require(Inside(ql::SignatureField(text, n), text), "a field lies inside the text");
  // Codes read from anywhere: a refusal or a whole code, never a read outside.
  for (const ql::ByReference byRef : {ql::ByReference::Refused, ql::ByReference::Allowed}) {
    std::string_view rest = text;
    CountCodes(rest, byRef);
  }
  return 0;
}
