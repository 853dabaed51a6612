// The few C library routines the compiler itself may call from an image
// (block moves and fills for structure copies), added to every image by
// ql_add_image. Written as plain loops that the compiler must not turn back
// into calls of themselves.
#include <stddef.h>

#define QL_NO_LIBCALL __attribute__((optimize("no-tree-loop-distribute-patterns")))

extern "C" {

QL_NO_LIBCALL void* memcpy(void* destination, const void* source, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(destination);
  const unsigned char* s = static_cast<const unsigned char*>(source);
  for (size_t i = 0; i < count; ++i) d[i] = s[i];
  return destination;
}

QL_NO_LIBCALL void* memmove(void* destination, const void* source, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(destination);
  const unsigned char* s = static_cast<const unsigned char*>(source);
  if (d < s) {
    for (size_t i = 0; i < count; ++i) d[i] = s[i];
  } else {
    for (size_t i = count; i > 0; --i) d[i - 1] = s[i - 1];
  }
  return destination;
}

QL_NO_LIBCALL void* memset(void* destination, int value, size_t count) {
  unsigned char* d = static_cast<unsigned char*>(destination);
  for (size_t i = 0; i < count; ++i) d[i] = static_cast<unsigned char>(value);
  return destination;
}

QL_NO_LIBCALL int memcmp(const void* left, const void* right, size_t count) {
  const unsigned char* a = static_cast<const unsigned char*>(left);
  const unsigned char* b = static_cast<const unsigned char*>(right);
  for (size_t i = 0; i < count; ++i) {
    if (a[i] != b[i]) return a[i] < b[i] ? -1 : 1;
  }
  return 0;
}

// Called through the table slot of a pure virtual function: a fault in the
// image, stopped where it happens.
void __cxa_pure_virtual() { __builtin_trap(); }

}  // extern "C"
