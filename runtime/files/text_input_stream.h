// TextInputStream: reads a file line by line through one 1024-byte buffer.
// A line ends at CR LF, at a lone CR or at a lone LF; the last line of a file
// needs no ending. Bytes are returned as they are, tagged with an encoding.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/string.h"
#include "files/file.h"
#include "quillon/abi.h"

namespace ql {

constexpr int32_t kStreamBufferSize = 1024;

// The instance; compiled code knows only its size.
struct TextInputStreamObject {
  RuntimeObject header;
  File* file;                          // the open file, owned; nil once closed
  RuntimeObject* encoding;             // the Encoding property: a TextEncoding object (one reference) or nil
  uint8_t buffer[kStreamBufferSize];   // bytes read ahead of the caller
  int32_t pos;                         // next unread byte of buffer
  int32_t size;                        // bytes buffer holds
};

#if defined(__i386__)
static_assert(sizeof(TextInputStreamObject) == 1068);
static_assert(offsetof(TextInputStreamObject, file) == 28 && offsetof(TextInputStreamObject, encoding) == 32 &&
              offsetof(TextInputStreamObject, buffer) == 36 && offsetof(TextInputStreamObject, pos) == 1060 &&
              offsetof(TextInputStreamObject, size) == 1064);
#elif defined(__x86_64__)
static_assert(sizeof(TextInputStreamObject) == 1104);
static_assert(offsetof(TextInputStreamObject, file) == 56 && offsetof(TextInputStreamObject, encoding) == 64 &&
              offsetof(TextInputStreamObject, buffer) == 72 && offsetof(TextInputStreamObject, pos) == 1096 &&
              offsetof(TextInputStreamObject, size) == 1100);
#endif

// The next line without its ending, tagged with `encoding`; empty at the end
// and on a closed stream.
String ReadLine(TextInputStreamObject& stream, uint32_t encoding);

// Nothing is left to read: the buffer is used up and the file is at its
// end. A closed stream has nothing left either, so a loop reading until the
// end always ends.
bool StreamAtEnd(TextInputStreamObject& stream);

// Closes and destroys the file; again does nothing.
void CloseInputStream(TextInputStreamObject& stream);

}  // namespace ql
