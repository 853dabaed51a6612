#include "files/text_output_stream.h"

namespace ql {
namespace {

constexpr char kWindowsLineEnding[2] = {13, 10};

void WriteBytes(File& file, RuntimeString* s) {
  if (StringLength(s) > 0) file.Write(StringText(s), StringLength(s));
}

}  // namespace

void WriteLine(TextOutputStreamObject& stream, RuntimeString* text) {
  if (!stream.file) return;
  WriteBytes(*stream.file, text);
  if (StringLength(stream.delimiter) > 0)
    WriteBytes(*stream.file, stream.delimiter);
  else
    stream.file->Write(kWindowsLineEnding, sizeof kWindowsLineEnding);
}

void Write(TextOutputStreamObject& stream, RuntimeString* text) {
  if (stream.file) WriteBytes(*stream.file, text);
}

void CloseOutputStream(TextOutputStreamObject& stream) {
  CloseOwnedFile(stream.file);
}

}  // namespace ql
