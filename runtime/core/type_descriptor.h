// Type references of the intrinsic class tables: the six scalar type
// descriptors, array types, and class definitions (whose records start with
// the same kind word, see object_definition.h).
#pragma once

#include <stdint.h>

#include "quillon/abi.h"

namespace ql {

enum class TypeKind : uint32_t { Scalar = 0, Array = 1, Class = 3 };

// The first word of every type record.
struct TypeReference {
  TypeKind kind;
};

// Conversions of one value of the type; `value` points at its storage
// (int32_t for Integer and Color, uint8_t for Boolean, float, double,
// RuntimeString* for String).
using TypeToString = RuntimeString* (*)(const void* value);    // a new reference
using TypeFromString = bool (*)(RuntimeString* text, void* value);
using TypeRelease = void (*)(void* value);
using TypeRetain = void (*)(void* value);

// A scalar type. Functions the type lacks are nil.
struct TypeDescriptor {
  TypeReference type;  // kind Scalar
  const char* name;    // "String", "Integer", ...
  TypeToString toString;
  TypeFromString fromString;
  TypeRelease release;
  TypeRetain retain;
};

struct ArrayType {
  TypeReference type;             // kind Array
  const TypeReference* element;
};

extern const TypeDescriptor kStringTypeDescriptor;
extern const TypeDescriptor kIntegerTypeDescriptor;
extern const TypeDescriptor kBooleanTypeDescriptor;
extern const TypeDescriptor kSingleTypeDescriptor;
extern const TypeDescriptor kDoubleTypeDescriptor;
extern const TypeDescriptor kColorTypeDescriptor;

// What the class tables name as types.
namespace types {
inline constexpr const TypeReference* String = &kStringTypeDescriptor.type;
inline constexpr const TypeReference* Integer = &kIntegerTypeDescriptor.type;
inline constexpr const TypeReference* Boolean = &kBooleanTypeDescriptor.type;
inline constexpr const TypeReference* Single = &kSingleTypeDescriptor.type;
inline constexpr const TypeReference* Double = &kDoubleTypeDescriptor.type;
inline constexpr const TypeReference* Color = &kColorTypeDescriptor.type;
}  // namespace types

inline const TypeDescriptor* AsScalar(const TypeReference* t) {
  return t && t->kind == TypeKind::Scalar ? reinterpret_cast<const TypeDescriptor*>(t) : nullptr;
}
inline const ArrayType* AsArray(const TypeReference* t) {
  return t && t->kind == TypeKind::Array ? reinterpret_cast<const ArrayType*>(t) : nullptr;
}

}  // namespace ql
