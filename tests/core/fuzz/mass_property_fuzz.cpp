// Fuzz entry: the design-time property data of an image applied to an
// object with one RuntimeMassPropertySetter call. The input gives up to four
// property signatures of the class (the image's class tables are outside
// data too), then the value stream. Besides never crashing or reading past
// the data, every setter must be called with the value shape of its
// property's type, and every string must be released with the object.
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <string>
#include <vector>

#include "core/string.h"
#include "quillon/entrypoints/objects.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

struct Fields {
  RuntimeObject header;
  uint8_t flag;
  int32_t tint;
  int32_t count;
  float ratio;
  double amount;
  RuntimeString* label;
};

constexpr int32_t kFixedProperties = 8;
constexpr int kMostSignatures = 4;

size_t g_dataSize = 0;

// Setters of the signatures the input gives: `param` is the type code the
// harness read from the signature, so each knows the shape it must get.
void SetBool(RuntimeObject*, uint32_t param, bool) { Require(param == 'b', "a Boolean goes to a b property"); }
void SetInt(RuntimeObject*, uint32_t param, int32_t value) {
  Require(param == 'i' || param == 'c', "an integer goes to an i or c property");
  Require(param != 'c' || (value >= 0 && value <= 0xFFFFFF), "a colour is 0x00RRGGBB");
}
void SetSingle(RuntimeObject*, uint32_t param, float) { Require(param == 'f', "a single goes to an f property"); }
void SetDouble(RuntimeObject*, uint32_t param, double) { Require(param == 'd', "a double goes to a d property"); }
void SetString(RuntimeObject*, uint32_t param, RuntimeString* value) {
  Require(param == 's', "a string goes to an s property");
  if (!value) return;
  Require(value->refCount >= 1 && ql::StringEncoding(value) == QL_ENCODING_UTF8, "a string value is live UTF-8");
  Require(static_cast<size_t>(ql::StringLength(value)) <= g_dataSize, "a string value comes from the data");
}
void NeverCalled(RuntimeObject*, uint32_t, int32_t) { Require(false, "no setter is called for a type without encoding"); }

template <class F>
void* Fn(F f) {
  return reinterpret_cast<void*>(f);
}

// The type code as the setter reads it: the first character of the second
// '%'-separated field.
char TypeCode(const std::string& signature) {
  const size_t percent = signature.find('%');
  return percent == std::string::npos || percent + 1 >= signature.size() ? 0 : signature[percent + 1];
}

void* SetterFor(char code) {
  switch (code) {
    case 'b': return Fn(SetBool);
    case 'c':
    case 'i': return Fn(SetInt);
    case 'f': return Fn(SetSingle);
    case 'd': return Fn(SetDouble);
    case 's': return Fn(SetString);
    default: return Fn(NeverCalled);
  }
}

// One class per number of input signatures, made once (classes live for
// the process): the fixed properties, then the input's.
RuntimeClass* ClassWith(int signatures) {
  static RuntimeClass* classes[kMostSignatures + 1];
  static ql::String fixedSignatures[kFixedProperties];
  RuntimeClass*& cls = classes[signatures];
  if (cls) return cls;
  cls = RuntimeNewClass(nullptr, 0, 0, 0, 0, kFixedProperties + signatures);
  cls->instanceSize = sizeof(Fields);
  struct Fixed {
    const char* signature;
    uint32_t param;
    void* setter;
  } const fixed[kFixedProperties] = {
      {"Flag%b", offsetof(Fields, flag), QL_STANDARD_ACCESSOR},
      {"Tint%c", offsetof(Fields, tint), QL_STANDARD_ACCESSOR},
      {"Count%i", offsetof(Fields, count), QL_STANDARD_ACCESSOR},
      {"Ratio%f", offsetof(Fields, ratio), QL_STANDARD_ACCESSOR},
      {"Amount%d", offsetof(Fields, amount), QL_STANDARD_ACCESSOR},
      {"Label%s", offsetof(Fields, label), QL_STANDARD_ACCESSOR},
      {"owner%o<Window1>%", 0, QL_STANDARD_ACCESSOR},
      {"ReadOnly%i", 0, nullptr},
  };
  for (int i = 0; i < kFixedProperties; ++i) {
    if (fixedSignatures[i].empty()) fixedSignatures[i] = ql::NewStringFromCText(fixed[i].signature);
    cls->properties[i] = RuntimePropertyEntry{fixedSignatures[i].get(), fixed[i].param, nullptr, fixed[i].setter};
  }
  return cls;
}

const bool kReady = [] {
  ql::fuzz::QuietReports();
  for (int i = 0; i <= kMostSignatures; ++i) ClassWith(i);
  return true;
}();

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  ql::fuzz::InputReader in(bytes, size);
  const int count = in.Byte() % (kMostSignatures + 1);
  std::vector<std::string> texts;
  for (int i = 0; i < count; ++i) texts.push_back(in.Text(32));

  // The data as a record over an exact buffer (length byte, bytes, NUL), so
  // a read past its end is caught. Its count keeps the runtime from freeing it.
  g_dataSize = in.left();
  std::vector<char> buffer(g_dataSize + 2);
  buffer[0] = static_cast<char>(g_dataSize < 256 ? g_dataSize : 255);
  if (g_dataSize) memcpy(buffer.data() + 1, in.rest(), g_dataSize);
  RuntimeString data{1000, buffer.data(), static_cast<uint32_t>(buffer.size()), static_cast<int32_t>(g_dataSize),
                     QL_ENCODING_UNDEFINED};

  const ql::fuzz::AllocationBalance balance;
  {
    RuntimeClass* cls = ClassWith(count);
    std::vector<ql::String> signatures;
    for (int i = 0; i < count; ++i) {
      signatures.push_back(ql::NewStringFromBytes(texts[i].data(), static_cast<int32_t>(texts[i].size()),
                                                  QL_ENCODING_ASCII));
      const char code = TypeCode(texts[i]);
      cls->properties[kFixedProperties + i] =
          RuntimePropertyEntry{signatures.back().get(), static_cast<uint8_t>(code), nullptr, SetterFor(code)};
    }
    RuntimeObject* o = RuntimeNewObject(cls);
    RuntimeMassPropertySetter(o, g_dataSize ? &data : nullptr);
    Require(data.refCount == 1000, "the data keeps its references");
    stringSetter(o, offsetof(Fields, label), nullptr);
    RuntimeUnlockObject(o);
    for (int i = 0; i < count; ++i) cls->properties[kFixedProperties + i] = RuntimePropertyEntry{};
  }
  balance.Check("every value string is released");
  return 0;
}
