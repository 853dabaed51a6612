// The bare runtime executable, started for real in a folder of development
// files.
#if defined(_WIN32)

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "startup/child_runtime.h"
#include "startup/image_reports.h"
#include "startup/synthetic_image.h"

namespace ql {
namespace {

using test::Bytes;
using Files = std::map<std::string, Bytes>;

const Bytes kReturn = {0xC3};
const Bytes kLoopForever = {0xEB, 0xFE};

Files DevelopmentFiles(const Bytes& code, const Bytes& imports = {}) {
  return {{"code.dat", code}, {"data.dat", {}}, {"import.dat", imports}, {"rsrc.dat", {}}, {"options.dat", {}}};
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

TEST(RuntimeProcess, RunsACodeFileOfOneReturnAndExitsZero) {
  test::TemporaryFolder folder(DevelopmentFiles(kReturn));
  const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 20000);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.dialogs.empty()) << run.dialogs[0].title << ": " << run.dialogs[0].text;
}

TEST(RuntimeProcess, AnImageThatLoopsForeverKeepsRunning) {
  test::TemporaryFolder folder(DevelopmentFiles(kLoopForever));
  const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 1500);
  EXPECT_FALSE(run.exited);
  EXPECT_TRUE(run.dialogs.empty());
}

// Each image would loop forever if it were entered: ending at all proves it was not.
TEST(RuntimeProcess, AMissingOrDamagedFileIsReportedAndTheImageNeverEntered) {
  struct Case {
    const char* what;
    Files files;
    std::vector<std::string> text;  // parts of the dialog's text
  };
  Files missingData = DevelopmentFiles(kLoopForever);
  missingData.erase("data.dat");
  const Bytes entry = test::Imports().Entry(0, 0, "RuntimeInit").bytes();
  const std::vector<Case> cases = {
      {"data.dat missing", missingData, {"loaderX86: 530", "Failure Condition: 0", "\"data.dat\""}},
      {"import.dat truncated", DevelopmentFiles(kLoopForever, Bytes(entry.begin(), entry.begin() + 7)),
       {"loaderX86: 530", "runs past the end of the import section"}},
      {"site beyond code.dat", DevelopmentFiles(kLoopForever, test::Imports().Site(0x03, 1).bytes()),
       {"loaderX86: 530", "outside the code section (2 bytes)"}},
  };
  for (const Case& c : cases) {
    test::TemporaryFolder folder(c.files);
    const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 20000);
    ASSERT_TRUE(run.exited) << c.what;
    EXPECT_EQ(run.exitCode, 0u) << c.what;
    ASSERT_EQ(run.dialogs.size(), 1u) << c.what;
    EXPECT_EQ(run.dialogs[0].title, "Failed Assertion") << c.what;
    for (const std::string& part : c.text) EXPECT_TRUE(Contains(run.dialogs[0].text, part)) << c.what << ": " << part;
  }
}

TEST(RuntimeProcess, CancelOnTheReportEndsTheProcessWithZero) {
  Files files = DevelopmentFiles(kLoopForever);
  files.erase("code.dat");
  test::TemporaryFolder folder(files);
  const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 20000, test::DialogAnswer::Cancel);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_EQ(run.dialogs.size(), 1u);
}

TEST(RuntimeProcess, AMissingLibraryIsShownInAMessageBoxAndTheImageNeverEntered) {
  test::TemporaryFolder folder(DevelopmentFiles(kLoopForever, test::Imports().Win32(0, "Sleep", "absent.dll").bytes()));
  const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 20000);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  ASSERT_EQ(run.dialogs.size(), 1u);
  EXPECT_EQ(run.dialogs[0].text,
            "The application could not be loaded because a necessary shared library absent.dll could not be found.");
}

// The start-up image, and the language image whose IA-32 build linux32 runs.
TEST(RuntimeProcess, AnImageAppendedToTheRuntimeRunsAndReports) {
  struct Case {
    const char* executable;
    const char* report;
  };
  const Case cases[] = {{QL_STARTUP_IMAGE_EXE, test::kStartupImageReport},
                        {QL_LANGUAGE_IMAGE_EXE, test::kLanguageImageReport}};
  for (const Case& c : cases) {
    test::TemporaryFolder folder({});
    const test::ChildRun run = test::RunChild(c.executable, folder.path(), 20000);
    ASSERT_TRUE(run.exited) << c.executable;
    EXPECT_EQ(run.exitCode, 0u) << c.executable;
    EXPECT_TRUE(run.dialogs.empty()) << run.dialogs[0].title << ": " << run.dialogs[0].text;
    EXPECT_EQ(folder.Read("report.txt"), c.report) << c.executable;
  }
}

TEST(RuntimeProcess, TheSameImageRunsFromTheDevelopmentFiles) {
  Files files;
  for (const char* name : {"code.dat", "data.dat", "import.dat", "rsrc.dat", "options.dat"})
    files[name] = test::ReadHostFile(std::string(QL_STARTUP_IMAGE_DEV) + "/" + name);
  ASSERT_FALSE(files["code.dat"].empty());
  test::TemporaryFolder folder(files);
  const test::ChildRun run = test::RunChild(test::BareRuntimePath(), folder.path(), 20000);
  ASSERT_TRUE(run.exited);
  EXPECT_EQ(run.exitCode, 0u);
  EXPECT_TRUE(run.dialogs.empty()) << run.dialogs[0].title << ": " << run.dialogs[0].text;
  EXPECT_EQ(folder.Read("report.txt"), test::kStartupImageReport);
}

}  // namespace
}  // namespace ql

#endif
