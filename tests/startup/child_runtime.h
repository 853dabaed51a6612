// Runs a runtime executable as a child process in a folder of its own and
// answers the dialogs it opens, so that tests can check what a real start
// shows and how it ends. Windows only.
#pragma once

#if defined(_WIN32)

#include <stdint.h>

#include <map>
#include <string>
#include <vector>

namespace ql::test {

struct ChildDialog {
  std::string title;
  std::string text;
};

struct ChildRun {
  bool exited = false;  // false: still running at the deadline, then killed
  unsigned long exitCode = 0;
  std::vector<ChildDialog> dialogs;
};

enum class DialogAnswer { Ok, Cancel };

// A fresh temporary folder holding `files`; removed by the destructor.
class TemporaryFolder {
 public:
  explicit TemporaryFolder(const std::map<std::string, std::vector<uint8_t>>& files);
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::string& path() const { return path_; }
  std::string Read(const std::string& name) const;  // "" when absent
  void Write(const std::string& name, const std::string& text) const;

 private:
  std::string path_;
  std::vector<std::string> names_;
};

// A child process left running while the test looks at what it does.
class RunningChild {
 public:
  // Starts `executable` in `folder`; `arguments` follow the program's name
  // on its command line.
  RunningChild(const std::string& executable, const std::string& folder, const std::string& arguments = "");
  // Ends the child if it still runs.
  ~RunningChild();
  RunningChild(const RunningChild&) = delete;
  RunningChild& operator=(const RunningChild&) = delete;

  // Answers the child's dialogs with `answer` until `file` (a path of this
  // process) exists; false when the child ended first or the time ran out.
  bool WaitForFile(const std::string& file, unsigned timeoutMs, DialogAnswer answer = DialogAnswer::Ok);
  // Answers its dialogs until it ends, at most `timeoutMs`, then ends it.
  ChildRun Wait(unsigned timeoutMs, DialogAnswer answer = DialogAnswer::Ok);

 private:
  bool AnswerDialogsFor(unsigned milliseconds, DialogAnswer answer);  // true: the child ended
  void* process_ = nullptr;
  unsigned long processId_ = 0;
  ChildRun run_;
  std::vector<void*> answered_;
};

// Starts `executable` in `folder`, answers every dialog it opens with
// `answer`, and waits up to `timeoutMs` for it to end.
ChildRun RunChild(const std::string& executable, const std::string& folder, unsigned timeoutMs,
                  DialogAnswer answer = DialogAnswer::Ok, const std::string& arguments = "");

// The bytes of a file of the build (a host path); empty when unreadable.
std::vector<uint8_t> ReadHostFile(const std::string& path);

// The bare runtime executable of this build.
std::string BareRuntimePath();

}  // namespace ql::test

#endif
