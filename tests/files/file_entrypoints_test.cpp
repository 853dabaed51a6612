#include "quillon/entrypoints/files.h"

#include <gtest/gtest.h>

#include <stddef.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/class_lookup.h"
#include "core/compiled_code.h"
#include "core/entrypoint_registry.h"
#include "core/intrinsic_classes.h"
#include "core/textencoding_object.h"
#include "files/file_classes.h"
#include "files/fixture_files.h"
#include "files/folder_item.h"
#include "files/text_input_stream.h"
#include "files/text_output_stream.h"
#include "quillon/entrypoints/objects.h"
#include "support/assertion_recorder.h"

namespace ql {
namespace {
namespace fs = std::filesystem;

// An entry point's object result, unlocked at the end of the scope.
struct Owned {
  explicit Owned(RuntimeObject* o) : object(o) {}
  ~Owned() { RuntimeUnlockObject(object); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  RuntimeObject* object;
};

std::string Line(RuntimeString* owned) {
  const String s = String::Adopt(owned);
  return test::Bytes(s);
}

RuntimeObject* FolderItemFor(const std::string& path) { return RuntimeGetFolderItem(test::Text(path).get()); }

// The calculator's reading loop: While Not t.EOF ... t.ReadLine ... Wend.
std::vector<std::string> ReadAllLines(RuntimeObject* stream) {
  std::vector<std::string> lines;
  while (!TextInputStreamEOF(stream, 0) && lines.size() < 1000) lines.push_back(Line(TextInputStreamReadLine(stream, nullptr)));
  return lines;
}

TEST(FileEntryPoints, ReadTheElementTableBesideTheProgram) {
  const std::string path = test::ExecutableFolderText() + test::Separator() + "elements.txt";
  test::WriteFixture(path, "H\tHydrogen\t1.008\r\nHe\tHelium\t4.0026\r\n");
  {
    Owned item(FolderItemFor("elements.txt"));
    ASSERT_NE(item.object, nullptr);
    EXPECT_TRUE(fileExistsGetter(item.object, 0));
    EXPECT_FALSE(fileLockedGetter(item.object, 0));
    Owned stream(FolderItemOpenTextFile(item.object));
    ASSERT_NE(stream.object, nullptr);
    EXPECT_EQ(ReadAllLines(stream.object), (std::vector<std::string>{"H\tHydrogen\t1.008", "He\tHelium\t4.0026"}));
    TextInputStreamClose(stream.object);
    EXPECT_TRUE(TextInputStreamEOF(stream.object, 0));
  }
  fs::remove(path);
}

TEST(FileEntryPoints, WriteAndReadBackThePreferences) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "prefs.txt";
  Owned item(FolderItemFor(path));
  EXPECT_FALSE(fileExistsGetter(item.object, 0));
  EXPECT_EQ(FolderItemOpenTextFile(item.object), nullptr);
  {
    Owned out(FolderItemCreateTextFile(item.object));
    ASSERT_NE(out.object, nullptr);
    TextOutputStreamWriteLine(out.object, test::Text("1.5").get());
    TextOutputStreamWriteLine(out.object, nullptr);
    TextOutputStreamWrite(out.object, test::Text("no ending").get());
  }  // the last reference closes the file
  EXPECT_TRUE(fileExistsGetter(item.object, 0));
  EXPECT_EQ(test::ReadFixture(path), "1.5\r\n\r\nno ending");

  Owned in(FolderItemOpenTextFile(item.object));
  EXPECT_EQ(ReadAllLines(in.object), (std::vector<std::string>{"1.5", "", "no ending"}));
}

TEST(FileEntryPoints, DelimiterPropertyEndsEachLine) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "unix.txt";
  Owned item(FolderItemFor(path));
  {
    Owned out(FolderItemCreateTextFile(item.object));
    EXPECT_EQ(stringGetter(out.object, offsetof(TextOutputStreamObject, delimiter)), nullptr);
    stringSetter(out.object, offsetof(TextOutputStreamObject, delimiter), test::Text("\n").get());
    TextOutputStreamWriteLine(out.object, test::Text("a").get());
    TextOutputStreamWriteLine(out.object, nullptr);
    TextOutputStreamClose(out.object);
    TextOutputStreamWriteLine(out.object, test::Text("after close").get());
  }
  EXPECT_EQ(test::ReadFixture(path), "a\n\n");
}

TEST(FileEntryPoints, FailedCreateIsNilWithItsErrorCode) {
  test::ScratchFolder scratch;
  const std::string readOnly = scratch / "locked.txt";
  test::WriteFixture(readOnly, "keep");
  test::SetReadOnly(readOnly, true);

  Owned locked(FolderItemFor(readOnly));
  EXPECT_TRUE(fileLockedGetter(locked.object, 0));
  EXPECT_EQ(FolderItemCreateTextFile(locked.object), nullptr);
  EXPECT_EQ(fileLastErrorCodeGetter(locked.object, 0), 102);
  EXPECT_EQ(test::ReadFixture(readOnly), "keep");

  Owned missing(FolderItemFor(scratch / "none" + test::Separator() + "prefs.txt"));
  EXPECT_EQ(fileLastErrorCodeGetter(missing.object, 0), 0);
  EXPECT_EQ(FolderItemCreateTextFile(missing.object), nullptr);
  EXPECT_EQ(fileLastErrorCodeGetter(missing.object, 0), 101);
  fileLastErrorCodeSetter(missing.object, 0, 0);
  EXPECT_EQ(fileLastErrorCodeGetter(missing.object, 0), 0);
}

TEST(FileEntryPoints, PathsThatNameNoFileGiveNil) {
  EXPECT_EQ(RuntimeGetFolderItem(test::Text(std::string("prefs\0.txt", 10)).get()), nullptr);
  EXPECT_EQ(RuntimeGetFolderItem(test::Text(std::string("\x00\xF1\xD1\x73" "a", 5)).get()), nullptr);
}

TEST(FileEntryPoints, StreamEncodingTagsTheLines) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "tags.txt";
  test::WriteFixture(path, "one\ntwo\nthree\nfour\n");
  Owned item(FolderItemFor(path));
  Owned stream(FolderItemOpenTextFile(item.object));
  constexpr uint32_t kEncoding = offsetof(TextInputStreamObject, encoding);

  RuntimeObject* made = objGetter(stream.object, kEncoding);
  EXPECT_EQ(TextEncodingValue(made, 0), QL_ENCODING_UTF8);
  RuntimeUnlockObject(made);
  EXPECT_EQ(String::Adopt(TextInputStreamReadLine(stream.object, nullptr)).encoding(), QL_ENCODING_UTF8);

  const ObjectRef latin1 = NewTextEncodingObject(QL_ENCODING_WINLATIN1);
  EXPECT_EQ(String::Adopt(TextInputStreamReadLine(stream.object, latin1.get())).encoding(), QL_ENCODING_WINLATIN1);

  objSetter(stream.object, kEncoding, latin1.get());
  EXPECT_EQ(String::Adopt(TextInputStreamReadLine(stream.object, nullptr)).encoding(), QL_ENCODING_WINLATIN1);

  objSetter(stream.object, kEncoding, nullptr);
  EXPECT_EQ(String::Adopt(TextInputStreamReadLine(stream.object, nullptr)).encoding(), QL_ENCODING_UTF8);
}

#if defined(_WIN32)
bool CanOpenForWriting(const std::string& path) {
  int32_t error = 0;
  return OpenSystemFile(path.c_str(), platform::OpenDisposition::CreateEmpty, &error) != nullptr;
}
#endif

TEST(FileEntryPoints, ReleasingAStreamClosesItsFile) {
  test::ScratchFolder scratch;
  const std::string path = scratch / "held.txt";
  Owned item(FolderItemFor(path));
  RuntimeObject* out = FolderItemCreateTextFile(item.object);
  ASSERT_NE(out, nullptr);
#if defined(_WIN32)
  EXPECT_FALSE(CanOpenForWriting(path));  // the stream's handle shares reading only
  RuntimeUnlockObject(out);
  EXPECT_TRUE(CanOpenForWriting(path));
#else
  const auto openFiles = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator()); };
  const auto before = openFiles();
  RuntimeUnlockObject(out);
  EXPECT_EQ(openFiles(), before - 1);
#endif
}

TEST(FileEntryPoints, NilReceiverRaisesNilObjectExceptionAndGivesTheFailureValue) {
  const struct {
    const char* name;
    bool (*call)();  // true when the failure value came back
  } calls[] = {
      {"Exists", [] { return !fileExistsGetter(nullptr, 0); }},
      {"Locked", [] { return !fileLockedGetter(nullptr, 0); }},
      {"LastErrorCode", [] { return fileLastErrorCodeGetter(nullptr, 0) == 0; }},
      {"LastErrorCode =", [] { fileLastErrorCodeSetter(nullptr, 0, 5); return true; }},
      {"OpenAsTextFile", [] { return FolderItemOpenTextFile(nullptr) == nullptr; }},
      {"CreateTextFile", [] { return FolderItemCreateTextFile(nullptr) == nullptr; }},
      {"ReadLine", [] { return TextInputStreamReadLine(nullptr, nullptr) == nullptr; }},
      {"EOF", [] { return !TextInputStreamEOF(nullptr, 0); }},
      {"input Close", [] { TextInputStreamClose(nullptr); return true; }},
      {"WriteLine", [] { TextOutputStreamWriteLine(nullptr, nullptr); return true; }},
      {"Write", [] { TextOutputStreamWrite(nullptr, nullptr); return true; }},
      {"output Close", [] { TextOutputStreamClose(nullptr); return true; }},
  };
  for (const auto& c : calls) {
    SCOPED_TRACE(c.name);
    test::CatchScope scope;
    EXPECT_TRUE(c.call());
    EXPECT_TRUE(scope.Close());
    EXPECT_STREQ(scope.CaughtClassName(), "NilObjectException");
  }
}

TEST(FileEntryPoints, FolderItemWithoutImplementationIsReported) {
  Owned bare(RuntimeNewObject(LookupClass("FolderItem")));
  ASSERT_NE(bare.object, nullptr);
  test::AssertionRecorder recorder;
  EXPECT_FALSE(fileExistsGetter(bare.object, 0));
  EXPECT_EQ(FolderItemCreateTextFile(bare.object), nullptr);
  ASSERT_EQ(recorder.count(), 2u);
  EXPECT_EQ(recorder.reports()[0].source, "runFolderItem");
  EXPECT_EQ(recorder.reports()[0].condition, "entry->mImp");
}

TEST(FileEntryPoints, SpecialFoldersAreExistingFolderItems) {
  for (platform::SpecialFolder folder : {platform::SpecialFolder::Preferences, platform::SpecialFolder::Temporary}) {
    const ObjectRef item = NewSpecialFolderItemObject(folder);
    ASSERT_TRUE(item);
    EXPECT_TRUE(fileExistsGetter(item.get(), 0));
    EXPECT_FALSE(fileLockedGetter(item.get(), 0));
  }
}

TEST(FileClasses, HaveTheirInstanceSizesAndTables) {
  const struct {
    const char* name;
    uint32_t instanceSize;
    std::vector<std::string> properties;
  } classes[] = {
      {"FolderItem", sizeof(FolderItemObject), {"Exists%b", "Locked%b", "LastErrorCode%i"}},
      {"TextInputStream", sizeof(TextInputStreamObject), {"EOF%b", "Encoding%o<TextEncoding>"}},
      {"TextOutputStream", sizeof(TextOutputStreamObject), {"Delimiter%s"}},
  };
  for (const auto& c : classes) {
    SCOPED_TRACE(c.name);
    RuntimeClass* cls = LookupClass(c.name);
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(cls->super, nullptr);
    EXPECT_EQ(cls->instanceSize, c.instanceSize);
    std::vector<std::string> properties;
    for (int32_t i = 0; i < cls->propertyCount; ++i)
      properties.push_back(test::Bytes(String::Retain(cls->properties[i].signature)));
    EXPECT_EQ(properties, c.properties);
  }
  RuntimeClass* input = LookupClass("TextInputStream");
  EXPECT_EQ(input->properties[1].param, offsetof(TextInputStreamObject, encoding));
  EXPECT_EQ(input->properties[1].getter, EntryAddress(objGetter));
  EXPECT_EQ(LookupClass("TextOutputStream")->properties[0].param, offsetof(TextOutputStreamObject, delimiter));
}

TEST(FileClasses, ImageLinksResolveToTheFileEntryPoints) {
  const struct {
    const char* link;
    void* function;
  } links[] = {
      {"RuntimeGetFolderItem", EntryAddress(RuntimeGetFolderItem)},
      {"fileExistsGetter", EntryAddress(fileExistsGetter)},
      {"fileLockedGetter", EntryAddress(fileLockedGetter)},
      {"fileLastErrorCodeGetter", EntryAddress(fileLastErrorCodeGetter)},
      {"fileLastErrorCodeSetter", EntryAddress(fileLastErrorCodeSetter)},
      {"FolderItemOpenTextFile", EntryAddress(FolderItemOpenTextFile)},
      {"FolderItemCreateTextFile", EntryAddress(FolderItemCreateTextFile)},
      {"TextInputStreamReadLine", EntryAddress(TextInputStreamReadLine)},
      {"TextInputStreamEOF", EntryAddress(TextInputStreamEOF)},
      {"TextInputStreamClose", EntryAddress(TextInputStreamClose)},
      {"TextOutputStreamWriteLine", EntryAddress(TextOutputStreamWriteLine)},
      {"TextOutputStreamClose", EntryAddress(TextOutputStreamClose)},
  };
  RegisterIntrinsicClasses();
  for (const auto& l : links) EXPECT_EQ(LookupEntryPoint(l.link), l.function) << l.link;
}

}  // namespace
}  // namespace ql
