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

 private:
  std::string path_;
  std::vector<std::string> names_;
};

// Starts `executable` in `folder`, answers every dialog it opens with
// `answer`, and waits up to `timeoutMs` for it to end.
ChildRun RunChild(const std::string& executable, const std::string& folder, unsigned timeoutMs,
                  DialogAnswer answer = DialogAnswer::Ok);

// The bare runtime executable of this build.
std::string BareRuntimePath();

}  // namespace ql::test

#endif
