// Fuzz entry: any bytes as the calculator's elements.txt and then as its
// prefs.txt, read the way the calculator reads them. The element table is
// read line by line (ReadLine), each line split at tabs (CountFields, then
// NthField for each stored field) and the weight in its third field read by
// Val; the preferences are read line by line, the first compared with
// "True" and every line read by Val, as the pop-up positions are. The first byte picks how many bytes each read of the file
// returns. Besides never crashing or hanging, the fields must be the line's
// tab-separated parts, Val of a field must read its bytes, "True" must match
// exactly the four letters in any case, and everything must be released.
#include <math.h>
#include <stddef.h>
#include <stdint.h>
#include <string.h>

#include <memory>
#include <string>
#include <vector>

#include "core/intrinsic_classes.h"
#include "core/object_definition.h"
#include "core/string.h"
#include "files/file_classes.h"
#include "files/memory_file.h"
#include "quillon/entrypoints/files.h"
#include "quillon/entrypoints/strings.h"
#include "support/fuzz_support.h"

namespace {

using ql::fuzz::Require;

// The calculator stores the fields of a line in columns 0 to 255 only.
constexpr int32_t kStoredFields = 256;

const bool kReady = [] {
  ql::fuzz::QuietReports();
  ql::RegisterIntrinsicClasses();
  ql::ClassOf(ql::intrinsic::TextInputStream);
  // A stream's Encoding object is made once and shared.
  TextInputStreamClose(ql::NewTextInputStreamObject(std::make_unique<ql::test::MemoryFile>("")).get());
  return true;
}();

std::string BytesOf(const ql::String& s) { return s.empty() ? std::string() : std::string(s.text(), s.length()); }

std::vector<std::string> FieldsOf(const std::string& line) {
  std::vector<std::string> fields;
  if (line.empty()) return fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

bool IsAscii(const std::string& text) {
  for (unsigned char c : text)
    if (c >= 0x80) return false;
  return true;
}

bool Same(double a, double b) { return a == b || (isnan(a) && isnan(b)); }

// Val of a field, checked against Val of its bytes as a text of their own.
double ValOf(const ql::String& field) {
  const double value = StringVal(field.get());
  const std::string bytes = BytesOf(field);
  if (IsAscii(bytes)) {
    const ql::String alone = ql::NewStringFromBytes(bytes.data(), static_cast<int32_t>(bytes.size()), QL_ENCODING_ASCII);
    Require(Same(value, StringVal(alone.get())), "Val of a field reads its bytes");
  }
  return value;
}

ql::ObjectRef OpenStream(const std::string& contents, int32_t chunk) {
  ql::ObjectRef stream = ql::NewTextInputStreamObject(std::make_unique<ql::test::MemoryFile>(contents, chunk));
  Require(static_cast<bool>(stream), "a stream is made");
  return stream;
}

// The element table's loop: every line, even the one an empty file gives.
void ReadElementTable(const std::string& contents, int32_t chunk) {
  const ql::ObjectRef stream = OpenStream(contents, chunk);
  const ql::String tab = ql::String::Adopt(StringDBCSChr(9));
  do {
    const ql::String line = ql::String::Adopt(TextInputStreamReadLine(stream.get(), nullptr));
    const std::vector<std::string> expected = FieldsOf(BytesOf(line));
    const int32_t fields = StringCountFields(line.get(), tab.get());
    Require(fields == static_cast<int32_t>(expected.size()), "CountFields counts the line's tab-separated parts");
    for (int32_t i = 1; i <= fields && i <= kStoredFields; ++i) {
      const ql::String field = ql::String::Adopt(StringNthField(line.get(), tab.get(), i));
      Require(BytesOf(field) == expected[i - 1], "NthField gives the line's part");
      if (i == 3) ValOf(field);  // the atomic weight
    }
    Require(ql::String::Adopt(StringNthField(line.get(), tab.get(), fields + 1)).empty(),
            "no field beyond the last");
  } while (!TextInputStreamEOF(stream.get(), 0));
  TextInputStreamClose(stream.get());
}

bool IsTrue(const std::string& bytes) {
  if (bytes.size() != 4) return false;
  static const char kTrue[] = "true";
  for (size_t i = 0; i < 4; ++i)
    if ((bytes[i] | 0x20) != kTrue[i]) return false;
  return true;
}

// The preferences' loop: the first line is compared with "True", and any
// line may be a pop-up's position.
void ReadPreferences(const std::string& contents, int32_t chunk) {
  const ql::ObjectRef stream = OpenStream(contents, chunk);
  const ql::String kTrueText = ql::NewStringFromCText("True");
  do {
    const ql::String text = ql::String::Adopt(TextInputStreamReadLine(stream.get(), nullptr));
    Require((RuntimeStringCompare(text.get(), kTrueText.get()) == 0) == IsTrue(BytesOf(text)),
            "a line is \"True\" exactly when it is those four letters in any case");
    ValOf(text);
  } while (!TextInputStreamEOF(stream.get(), 0));
  TextInputStreamClose(stream.get());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
  if (size == 0) return 0;
  const ql::fuzz::AllocationBalance balance;
  {
    const int32_t chunk = 1 + bytes[0];
    const std::string contents(reinterpret_cast<const char*>(bytes) + 1, size - 1);
    ReadElementTable(contents, chunk);
    ReadPreferences(contents, chunk);
  }
  balance.Check("the streams, lines and fields are released");
  return 0;
}
