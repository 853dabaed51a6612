// Fuzz entry: any bytes as a signature of a class table
// ("name%result%receiver-params"). The reader must never read outside the
// text, and what it reads must agree with itself: an accepted signature's
// parts are its '%'-separated fields, its result is one code, and its
// receiver and parameters read back as whole codes. An accepted method or
// property signature, built again from the types it names, must come out
// as the same text.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "core/object_definition.h"
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

// The types a signature names, made for building it again.
class Types {
 public:
  const ql::TypeReference* Of(const ql::TypeCode& code) {
    std::string_view text = code.text;
    return Read(&text);
  }

 private:
  const ql::TypeReference* Read(std::string_view* text) {
    const char c = (*text)[0];
    text->remove_prefix(1);
    switch (c) {
      case 's': return ql::types::String;
      case 'i': return ql::types::Integer;
      case 'b': return ql::types::Boolean;
      case 'f': return ql::types::Single;
      case 'd': return ql::types::Double;
      case 'c': return ql::types::Color;
      case 'a': {
        const ql::TypeReference* element = Read(text);
        return &arrays_.emplace_back(ql::ArrayType{{ql::TypeKind::Array}, element}).type;
      }
      default: {  // o<Name>
        const size_t close = text->find('>');
        names_.emplace_back(text->substr(1, close - 1));
        text->remove_prefix(close + 1);
        ql::ClassDescription& d = descriptions_.emplace_back(ql::ClassDescription{.name = names_.back().c_str()});
        return ql::TypeOf(definitions_.emplace_back(d));
      }
    }
  }

  std::deque<ql::ArrayType> arrays_;
  std::deque<std::string> names_;
  std::deque<ql::ClassDescription> descriptions_;
  std::deque<ql::ObjectDefinition> definitions_;
};

bool HasNul(std::string_view text) { return text.find('\0') != std::string_view::npos; }

void CheckBuiltAgain(std::string_view fields, const ql::SignatureParts& parts) {
  if (HasNul(fields)) return;  // names are C texts when built
  const std::string name(parts.name);
  Types types;
  ql::TypeCode result;
  std::string_view rest = parts.result;
  const ql::TypeReference* resultType = ql::ReadTypeCode(&rest, &result) ? types.Of(result) : nullptr;
  ql::String built;
  if (!parts.receiver.empty()) {
    std::vector<ql::ParameterEntry> parameters;
    for (rest = parts.parameters; !rest.empty();) {
      ql::TypeCode code;
      ql::ReadTypeCode(&rest, &code, ql::ByReference::Allowed);
      parameters.push_back(ql::ParameterEntry{"p", types.Of(code), code.byReference ? 1u : 0u});
    }
    const std::string_view receiver = parts.receiver.substr(2, parts.receiver.size() - 3);
    built = ql::MethodSignature(name.c_str(), resultType, receiver, parameters.data(),
                                static_cast<uint32_t>(parameters.size()));
  } else if (resultType && fields.size() == name.size() + 1 + parts.result.size()) {
    built = ql::PropertySignature(name.c_str(), resultType);  // "name%code"
  } else {
    return;
  }
  Require(ql::TextOf(built.get()) == fields, "a signature built again from its types is the same text");
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
  CheckBuiltAgain(fields, parts);
}

const bool kQuiet = (ql::fuzz::QuietReports(), true);

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  const ql::fuzz::AllocationBalance balance;
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
  balance.Check("the signatures built are released");
  return 0;
}
