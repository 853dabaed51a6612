// TextOutputStream: writes a file line by line. Each line goes straight to
// the file, its text and then its delimiter; the stream keeps no buffer.
#pragma once

#include <stddef.h>

#include "core/string.h"
#include "files/file.h"
#include "quillon/abi.h"

namespace ql {

// The instance; compiled code knows only its size.
struct TextOutputStreamObject {
  RuntimeObject header;
  File* file;                // the open file, owned; nil once closed
  RuntimeString* delimiter;  // the Delimiter property (one reference); nil writes CR LF
};

#if defined(__i386__)
static_assert(sizeof(TextOutputStreamObject) == 36);
static_assert(offsetof(TextOutputStreamObject, file) == 28 && offsetof(TextOutputStreamObject, delimiter) == 32);
#elif defined(__x86_64__)
static_assert(sizeof(TextOutputStreamObject) == 72);
static_assert(offsetof(TextOutputStreamObject, file) == 56 && offsetof(TextOutputStreamObject, delimiter) == 64);
#endif

// Writes the stored bytes of `text`, then the delimiter. Nothing on a closed
// stream; failed writes are not reported.
void WriteLine(TextOutputStreamObject& stream, RuntimeString* text);
// The stored bytes of `text` alone.
void Write(TextOutputStreamObject& stream, RuntimeString* text);

// Closes and destroys the file; again does nothing.
void CloseOutputStream(TextOutputStreamObject& stream);

}  // namespace ql
