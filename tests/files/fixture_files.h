// Files the tests write for themselves: a scratch folder removed at the end,
// byte-exact contents, the read-only mark.
#pragma once

#include <filesystem>
#include <string>

#include "core/string.h"

namespace ql::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The path of `name` inside, as the runtime takes paths.
  std::string operator/(const std::string& name) const;

 private:
  std::filesystem::path path_;
};

void WriteFixture(const std::string& path, const std::string& bytes);
std::string ReadFixture(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);

// A runtime string of the bytes.
String Text(const std::string& bytes);
std::string Bytes(const String& s);

// The folder of the test executable, found by the runtime.
std::string ExecutableFolderText();
// The system's separator between folder and name.
std::string Separator();

}  // namespace ql::test
