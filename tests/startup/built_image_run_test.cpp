// The test images as the image builder writes them, read, linked and entered
// by the runtime's own loader in this process. On linux32 the IA-32 images
// run for real: their runtime entry points are this runtime's, their
// kernel32 routines stand-ins that keep the files they write in memory, and
// their reports must be those of the win64 runtime. On either machine a
// damaged copy of the start-up image is refused before its first byte runs,
// with the texts the Windows runtime gives.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "startup/fake_image_files.h"
#include "startup/image_reports.h"
#include "startup/imageloader.h"
#include "startup/link_fakes.h"
#include "support/assertion_recorder.h"

#if defined(QL_IA32_STARTUP_IMAGE_DEV) && defined(__i386__)
#define QL_BUILT_IMAGE_DIR QL_IA32_STARTUP_IMAGE_DEV
#define QL_BUILT_IMAGE_RUNS 1
#elif defined(QL_STARTUP_IMAGES_DIR) && defined(__x86_64__)
// x64 images call the Microsoft convention, which this runtime does not
// export: they are linked and refused here, never entered.
#define QL_BUILT_IMAGE_DIR QL_STARTUP_IMAGES_DIR "/amd64"
#endif

#if defined(QL_BUILT_IMAGE_DIR)

namespace ql {
namespace {

using test::Bytes;

Bytes ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The five development files; those the builder left out are empty.
std::map<std::string, Bytes> BuiltImage(const char* dir = QL_BUILT_IMAGE_DIR) {
  std::map<std::string, Bytes> files;
  for (const char* name : {"code.dat", "data.dat", "import.dat", "rsrc.dat", "options.dat"})
    files[name] = ReadFile(std::string(dir) + "/" + name);
  return files;
}

// --- kernel32 as the image calls it: stdcall, the callee pops its arguments ---
#if defined(__i386__)
#define QL_STDCALL __attribute__((stdcall))
#else
#define QL_STDCALL
#endif

struct OpenFile {
  std::string name;
  std::string bytes;
};
std::map<std::string, std::string> g_closedFiles;  // name -> bytes written

QL_STDCALL void* CreateFileStandIn(const char* name, uint32_t, uint32_t, void*, uint32_t, uint32_t, void*) {
  return new OpenFile{name, {}};
}
QL_STDCALL int WriteFileStandIn(void* file, const void* bytes, uint32_t count, uint32_t* written, void*) {
  static_cast<OpenFile*>(file)->bytes.append(static_cast<const char*>(bytes), count);
  if (written) *written = count;
  return 1;
}
QL_STDCALL int CloseHandleStandIn(void* file) {
  auto* open = static_cast<OpenFile*>(file);
  g_closedFiles[open->name] = open->bytes;
  delete open;
  return 1;
}

template <class F>
uint64_t Address(F* function) {
  return reinterpret_cast<uintptr_t>(function);
}

std::vector<std::string> g_messages;
void RecordMessage(const char* text) { g_messages.push_back(text); }

class BuiltImageRun : public testing::Test {
 protected:
  void SetUp() override {
    previous_ = platform::SetMessageBoxObserver(RecordMessage);
    Reset();
  }
  void TearDown() override { platform::SetMessageBoxObserver(previous_); }

  // The undamaged image, nothing written, nothing shown, nothing loaded.
  void Reset() {
    g_closedFiles.clear();
    g_messages.clear();
    kernel32_.loads.clear();
    kernel32_.libraries = {{"kernel32.dll", 0x1000}};
    kernel32_.routines = {{{0x1000, "CreateFileA"}, Address(CreateFileStandIn)},
                          {{0x1000, "WriteFile"}, Address(WriteFileStandIn)},
                          {{0x1000, "CloseHandle"}, Address(CloseHandleStandIn)}};
    files_.folder = BuiltImage();
  }

  // The process's registry, the stand-in kernel32 and the files in memory.
  ImageOutcome Run() {
    LibraryImports libraries(kernel32_);
    ImageServices services = ProcessImageServices();
    services.files = &files_;
    services.libraries = &libraries;
    return LoadAndRunImage(services);
  }

  Bytes& File(const char* name) { return files_.folder[name]; }

  test::FakeImageFiles files_;
  test::FakeLibraryLoader kernel32_;
  platform::MessageBoxObserver previous_ = nullptr;
};

// Replaces the first byte of a name inside the import section.
void RenameFirst(Bytes& imports, const std::string& name, char first) {
  const auto at = std::search(imports.begin(), imports.end(), name.begin(), name.end());
  ASSERT_NE(at, imports.end()) << name;
  *at = static_cast<uint8_t>(first);
}

#if defined(QL_BUILT_IMAGE_RUNS)
TEST_F(BuiltImageRun, TheIa32ImagesRunAndReportWhatTheyDoOnWindows) {
  struct Case {
    const char* dir;
    const char* report;
  };
  const Case cases[] = {
      {QL_IA32_STARTUP_IMAGE_DEV, test::kStartupImageReport},
      {QL_IA32_LANGUAGE_IMAGE_DEV, test::kLanguageImageReport},
  };
  for (const Case& c : cases) {
    Reset();
    files_.folder = BuiltImage(c.dir);
    ASSERT_FALSE(File("code.dat").empty()) << c.dir;
    EXPECT_EQ(Run(), ImageOutcome::Ran) << c.dir;
    EXPECT_TRUE(g_messages.empty()) << g_messages[0];
    EXPECT_EQ(g_closedFiles["report.txt"], c.report) << c.dir;
    EXPECT_EQ(kernel32_.loads.size(), 1u) << c.dir;
  }
}

// The linker reports a name the registry lacks and routes its call sites
// to the IA-32 stand-in, which reports it again when called and raises
// NilObjectException at the caller's protected call site.
TEST_F(BuiltImageRun, ACallToAnEntryPointTheRuntimeLacksRaisesInTheIa32Image) {
  files_.folder = BuiltImage(QL_IA32_LANGUAGE_IMAGE_DEV);
  RenameFirst(File("import.dat"), "RuntimeStackCheck", 'X');
  test::AssertionRecorder recorder;
  EXPECT_EQ(Run(), ImageOutcome::Ran);
  ASSERT_EQ(recorder.count(), 2u);  // when linking, and when called
  for (const auto& report : recorder.reports()) {
    EXPECT_EQ(report.line, 204);
    EXPECT_EQ(report.message, "Function 'XuntimeStackCheck' was not exported");
  }
  std::string expected = test::kLanguageImageReport;
  const std::string line = "nothing raised 1";
  expected.replace(expected.find(line), line.size(), "nothing raised 0");
  EXPECT_EQ(g_closedFiles["report.txt"], expected);
}
#endif

// Offsets of the import records of one kind, walking the section as the
// linker does.
std::vector<size_t> RecordsOfKind(const Bytes& imports, uint8_t kind) {
  std::vector<size_t> found;
  size_t at = 0;
  while (at < imports.size()) {
    const uint8_t k = imports[at];
    if (k == kind) found.push_back(at);
    switch (k) {
      case 0x01: at += 1 + 1 + 4 + 1 + imports[at + 6] + 1; break;
      case 0x02: case 0x03: case 0x05: at += 5; break;
      case 0x04: {
        const size_t library = at + 5 + 1 + imports[at + 5] + 1;
        at = library + 1 + imports[library] + 1;
        break;
      }
      default: at += 1;
    }
  }
  return found;
}

TEST_F(BuiltImageRun, ADamagedImageIsRefusedAndNeverEntered) {
  struct Case {
    const char* what;
    void (*damage)(std::map<std::string, Bytes>& files);
    ImageOutcome outcome;
    const char* report;   // part of the failed-assertion report, or nullptr for none
    const char* message;  // the message box's text, or nullptr for none
  };
  const Case cases[] = {
      {"a string site beyond the code",
       [](std::map<std::string, Bytes>& files) {
         Bytes& imports = files["import.dat"];
         const std::vector<size_t> strings = RecordsOfKind(imports, 0x05);
         ASSERT_FALSE(strings.empty());
         test::Put32(imports, strings[0] + 1, static_cast<uint32_t>(files["code.dat"].size()) + 2);
       },
       ImageOutcome::NotLoaded, "outside the code section", nullptr},
      {"an entry-point import cut short",
       [](std::map<std::string, Bytes>& files) {
         Bytes& imports = files["import.dat"];
         const std::vector<size_t> entries = RecordsOfKind(imports, 0x01);
         ASSERT_FALSE(entries.empty());
         imports.resize(entries.back() + 7);
       },
       ImageOutcome::NotLoaded, "runs past the end of the import section", nullptr},
      {"a library that is not there",
       [](std::map<std::string, Bytes>& files) { RenameFirst(files["import.dat"], "kernel32.dll", 'x'); },
       ImageOutcome::LinkFailed, nullptr,
       "The application could not be loaded because a necessary shared library xernel32.dll could not be found."},
      {"a routine the library lacks",
       [](std::map<std::string, Bytes>& files) { RenameFirst(files["import.dat"], "WriteFile", 'X'); },
       ImageOutcome::LinkFailed, nullptr,
       "The application could not be loaded because the routine XriteFile could not be found in the shared library "
       "kernel32.dll."},
  };
  for (const Case& c : cases) {
    Reset();
    c.damage(files_.folder);
    test::AssertionRecorder recorder;
    EXPECT_EQ(Run(), c.outcome) << c.what;
    if (c.report) {
      ASSERT_EQ(recorder.count(), 1u) << c.what;
      EXPECT_EQ(recorder.reports()[0].source, "loaderX86") << c.what;
      EXPECT_EQ(recorder.reports()[0].line, 530) << c.what;
      EXPECT_NE(recorder.reports()[0].message.find(c.report), std::string::npos)
          << c.what << ": " << recorder.reports()[0].message;
    } else {
      EXPECT_EQ(recorder.count(), 0u) << c.what;
    }
    if (c.message) {
      ASSERT_EQ(g_messages.size(), 1u) << c.what;
      EXPECT_EQ(g_messages[0], c.message) << c.what;
    } else {
      EXPECT_TRUE(g_messages.empty()) << c.what;
    }
    EXPECT_TRUE(g_closedFiles.empty()) << c.what << ": the image was entered";
  }
}

}  // namespace
}  // namespace ql

#endif
