#include "core/type_descriptor.h"

#include <stdio.h>
#include <string.h>

#include "core/formatnumber.h"
#include "core/parsenumber.h"
#include "core/string.h"

namespace ql {
namespace {

// --- String ---

RuntimeString* StringToString(const void* value) { return RetainString(*static_cast<RuntimeString* const*>(value)); }

bool StringFromString(RuntimeString* text, void* value) {
  *static_cast<RuntimeString**>(value) = RetainString(text);
  return true;
}

void StringRelease(void* value) { ReleaseString(*static_cast<RuntimeString**>(value)); }

void StringRetain(void* value) { RetainString(*static_cast<RuntimeString**>(value)); }

// --- Integer and Color ---

RuntimeString* IntegerToString(const void* value) {
  char text[16];
  snprintf(text, sizeof text, "%d", static_cast<int>(*static_cast<const int32_t*>(value)));
  return NewStringFromCText(text).release();
}

// Leading spaces, an optional sign, then decimal digits up to the first
// other byte; the value wraps at 32 bits. False when there is no digit.
bool IntegerFromString(RuntimeString* text, void* value) {
  const char* p = StringText(text);
  const char* end = p + StringLength(text);
  while (p < end && *p == ' ') ++p;
  bool negative = false;
  if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
  uint32_t n = 0;
  const char* digits = p;
  for (; p < end && *p >= '0' && *p <= '9'; ++p) n = n * 10u + static_cast<uint32_t>(*p - '0');
  if (negative) n = 0u - n;
  *static_cast<int32_t*>(value) = static_cast<int32_t>(n);
  return p != digits;
}

// --- Boolean ---

RuntimeString* BooleanToString(const void* value) {
  return NewStringFromCText(*static_cast<const uint8_t*>(value) ? "True" : "False").release();
}

bool BooleanFromString(RuntimeString* text, void* value) {
  *static_cast<uint8_t*>(value) = NamesEqual(StringText(text), "True") && StringLength(text) == 4;
  return true;
}

// --- Single ---

RuntimeString* SingleToString(const void* value) {
  return FormatNumber(*static_cast<const float*>(value), NumberForm::Automatic, kStrDigits).release();
}

bool SingleFromString(RuntimeString* text, void* value) {
  *static_cast<float*>(value) = static_cast<float>(ParseNumber(text));
  return true;
}

}  // namespace

const TypeDescriptor kStringTypeDescriptor{
    {TypeKind::Scalar}, "String", StringToString, StringFromString, StringRelease, StringRetain};
const TypeDescriptor kIntegerTypeDescriptor{
    {TypeKind::Scalar}, "Integer", IntegerToString, IntegerFromString, nullptr, nullptr};
const TypeDescriptor kBooleanTypeDescriptor{
    {TypeKind::Scalar}, "Boolean", BooleanToString, BooleanFromString, nullptr, nullptr};
const TypeDescriptor kSingleTypeDescriptor{
    {TypeKind::Scalar}, "Single", SingleToString, SingleFromString, nullptr, nullptr};
const TypeDescriptor kDoubleTypeDescriptor{{TypeKind::Scalar}, "Double", nullptr, nullptr, nullptr, nullptr};
const TypeDescriptor kColorTypeDescriptor{
    {TypeKind::Scalar}, "Color", IntegerToString, IntegerFromString, nullptr, nullptr};

}  // namespace ql
