// RuntimeMassPropertySetter: applies a control's or window's design-time
// property values, a byte stream of {16-bit big-endian property index, value}
// records whose value encoding follows the property's type code.
#include <string.h>

#include "core/assertion.h"
#include "core/exception.h"
#include "core/intrinsic_classes.h"
#include "core/signature.h"
#include "core/string.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

constexpr const char kSource[] = "RuntimeObjectFoundation";

// Big-endian reads that never pass the end of the data.
class ByteReader {
 public:
  ByteReader(const char* bytes, size_t length) : p_(reinterpret_cast<const uint8_t*>(bytes)), left_(length) {}

  bool AtEnd() const { return left_ == 0; }
  size_t Left() const { return left_; }

  bool Has(size_t n) const { return n <= left_; }
  uint32_t Take(size_t n) {  // n <= 4, Has(n) checked by the caller
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) v = v << 8 | p_[i];
    Skip(n);
    return v;
  }
  const char* Bytes() const { return reinterpret_cast<const char*>(p_); }
  void Skip(size_t n) {
    p_ += n;
    left_ -= n;
  }

 private:
  const uint8_t* p_;
  size_t left_;
};

// One decoded value, ready for the setter of its type.
struct Value {
  char code;
  uint32_t word;    // b, c, i, f (the bit pattern of the single)
  double number;    // d
  String text;      // s
};

bool ReportTruncated() {
  ReportAssertion(kSource, __LINE__, "valueBytes <= bytesLeft", "Truncated mass property input.");
  return false;
}

// Reads the value of a property whose type code is `code`; false (reported)
// when the code has no encoding or the data ends inside the value.
bool ReadValue(ByteReader& in, char code, Value* out) {
  out->code = code;
  switch (code) {
    case 'b':
      if (!in.Has(1)) return ReportTruncated();
      out->word = in.Take(1) != 0;
      return true;
    case 'c':
      if (!in.Has(3)) return ReportTruncated();
      out->word = in.Take(3);  // R, G, B: 0x00RRGGBB
      return true;
    case 'i':
    case 'f':
      if (!in.Has(4)) return ReportTruncated();
      out->word = in.Take(4);
      return true;
    case 'd': {
      if (!in.Has(8)) return ReportTruncated();
      const uint64_t high = in.Take(4);
      const uint64_t bits = high << 32 | in.Take(4);
      memcpy(&out->number, &bits, sizeof bits);
      return true;
    }
    case 's': {
      if (!in.Has(4)) return ReportTruncated();
      const uint32_t length = in.Take(4);
      if (!in.Has(length) || length > INT32_MAX) return ReportTruncated();
      out->text = NewStringFromBytes(in.Bytes(), static_cast<int32_t>(length), QL_ENCODING_UTF8);
      in.Skip(length);
      return true;
    }
    default:
      ReportAssertion(kSource, __LINE__, "0", "Illegal type in mass property input.");
      return false;
  }
}

void* StandardSetter(char code) {
  switch (code) {
    case 'b': return reinterpret_cast<void*>(boolSetter);
    case 'c':
    case 'i': return reinterpret_cast<void*>(intSetter);
    case 'f': return reinterpret_cast<void*>(singleSetter);
    case 'd': return reinterpret_cast<void*>(doubleSetter);
    case 's': return reinterpret_cast<void*>(stringSetter);
  }
  return nullptr;
}

// Calls the setter with the value in the shape of its type.
void CallSetter(void* setter, RuntimeObject* o, uint32_t param, const Value& v) {
  switch (v.code) {
    case 'b': reinterpret_cast<RuntimeBoolSetter>(setter)(o, param, v.word != 0); break;
    case 'c':
    case 'i': reinterpret_cast<RuntimeIntSetter>(setter)(o, param, static_cast<int32_t>(v.word)); break;
    case 'f': {
      float f;
      memcpy(&f, &v.word, sizeof f);
      reinterpret_cast<RuntimeSingleSetter>(setter)(o, param, f);
      break;
    }
    case 'd': reinterpret_cast<RuntimeDoubleSetter>(setter)(o, param, v.number); break;
    case 's': reinterpret_cast<RuntimeStringSetter>(setter)(o, param, v.text.get()); break;
  }
}

char TypeCodeOf(const RuntimePropertyEntry& p) {
  const std::string_view type = SignatureField(TextOf(p.signature), 2);
  return type.empty() ? 0 : type[0];
}

// Applies one record; false when the rest of the data cannot be read.
// A read-only property is reported and its value skipped.
bool ApplyRecord(RuntimeObject* o, ByteReader& in) {
  if (!in.Has(2)) return ReportTruncated();
  const uint32_t index = in.Take(2);
  const RuntimeClass* cls = o->cls;
  if (!QL_CHECK(index < static_cast<uint32_t>(cls->propertyCount > 0 ? cls->propertyCount : 0), kSource, __LINE__,
                "destIndex < propTableCount"))
    return false;
  const RuntimePropertyEntry& property = cls->properties[index];
  const bool writable = property.setter != nullptr;
  if (!writable) ReportAssertion(kSource, __LINE__, "destProperty->setter", "Assignment to a read-only property.");
  Value value;
  if (!ReadValue(in, TypeCodeOf(property), &value)) return false;
  if (!writable) return true;
  void* setter = property.setter == QL_STANDARD_ACCESSOR ? StandardSetter(value.code) : property.setter;
  CallSetter(setter, o, property.param, value);
  return true;
}

void SetProperties(RuntimeObject* o, RuntimeString* data) {
  ByteReader in(StringText(data), static_cast<size_t>(StringLength(data)));
  while (!in.AtEnd())
    if (!ApplyRecord(o, in)) return;
}

const ParameterEntry kSetPropertiesParameters[] = {
    Parameter("obj", TypeOf(intrinsic::Object)),
    Parameter("data", types::String),
};

const MethodEntry kGlobalFunctions[] = {
    Method("_SetProperties", QL_LINK(RuntimeMassPropertySetter), nullptr, kSetPropertiesParameters),
};

}  // namespace

const Table<MethodEntry> kMassPropertyGlobalFunctions = kGlobalFunctions;

}  // namespace ql

QL_ENTRY void RuntimeMassPropertySetter(RuntimeObject* object, RuntimeString* data) {
  if (!object) {
    ql::RaiseNilObjectException();
    return;
  }
  ql::String held = ql::String::Retain(data);
  ql::SetProperties(object, data);
}
