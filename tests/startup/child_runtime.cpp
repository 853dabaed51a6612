#if defined(_WIN32)

#include "startup/child_runtime.h"

#include <windows.h>

#include <string.h>

#include <algorithm>

namespace ql::test {
namespace {

// Wine's drive Z: is the root of the host's file system.
std::string WindowsPath(const std::string& path) { return path.size() && path[0] == '/' ? "Z:" + path : path; }

struct DialogSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND window, LPARAM parameter) {
  auto* search = reinterpret_cast<DialogSearch*>(parameter);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  char className[64] = {};
  GetClassNameA(window, className, sizeof className);
  if (owner == search->processId && IsWindowVisible(window) && strcmp(className, "#32770") == 0)
    search->found.push_back(window);
  return TRUE;
}

ChildDialog ReadDialog(HWND dialog) {
  ChildDialog d;
  char text[4096] = {};
  GetWindowTextA(dialog, text, sizeof text);
  d.title = text;
  text[0] = 0;
  GetDlgItemTextA(dialog, 0xFFFF, text, sizeof text);  // a message box's text
  d.text = text;
  return d;
}

void Answer(HWND dialog, DialogAnswer answer) {
  const int id = answer == DialogAnswer::Ok ? IDOK : IDCANCEL;
  HWND button = GetDlgItem(dialog, id);
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

}  // namespace

TemporaryFolder::TemporaryFolder(const std::map<std::string, std::vector<uint8_t>>& files) {
  char base[MAX_PATH];
  GetTempPathA(sizeof base, base);
  static unsigned counter = 0;
  path_ = std::string(base) + "quillon-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
  CreateDirectoryA(path_.c_str(), nullptr);
  for (const auto& [name, bytes] : files) {
    HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    names_.push_back(name);
  }
}

TemporaryFolder::~TemporaryFolder() {
  WIN32_FIND_DATAA entry;
  HANDLE find = FindFirstFileA((path_ + "\\*").c_str(), &entry);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((path_ + "\\" + entry.cFileName).c_str());
    } while (FindNextFileA(find, &entry));
    FindClose(find);
  }
  RemoveDirectoryA(path_.c_str());
}

std::string TemporaryFolder::Read(const std::string& name) const {
  HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "";
  std::string text;
  char chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) text.append(chunk, read);
  CloseHandle(file);
  return text;
}

void TemporaryFolder::Write(const std::string& name, const std::string& text) const {
  HANDLE file = CreateFileA((path_ + "\\" + name).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  if (!text.empty()) WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
}

RunningChild::RunningChild(const std::string& executable, const std::string& folder, const std::string& arguments) {
  const std::string path = WindowsPath(executable);
  std::string commandLine = "\"" + path + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process = {};
  if (!CreateProcessA(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                      &process)) {
    run_.dialogs.push_back({"CreateProcess failed", std::to_string(GetLastError())});
    return;
  }
  CloseHandle(process.hThread);
  process_ = process.hProcess;
  processId_ = process.dwProcessId;
}

RunningChild::~RunningChild() {
  if (!process_) return;
  if (!run_.exited) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

bool RunningChild::AnswerDialogsFor(unsigned milliseconds, DialogAnswer answer) {
  if (!process_ || run_.exited) return true;
  if (WaitForSingleObject(process_, milliseconds) == WAIT_OBJECT_0) {
    run_.exited = true;
    GetExitCodeProcess(process_, &run_.exitCode);
    return true;
  }
  DialogSearch search{processId_, {}};
  EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&search));
  for (HWND dialog : search.found) {
    if (std::find(answered_.begin(), answered_.end(), dialog) != answered_.end()) continue;
    run_.dialogs.push_back(ReadDialog(dialog));
    answered_.push_back(dialog);
    Answer(dialog, answer);
  }
  return false;
}

bool RunningChild::WaitForFile(const std::string& file, unsigned timeoutMs, DialogAnswer answer) {
  const DWORD start = GetTickCount();
  while (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (AnswerDialogsFor(20, answer) || GetTickCount() - start > timeoutMs) return false;
  }
  return true;
}

ChildRun RunningChild::Wait(unsigned timeoutMs, DialogAnswer answer) {
  const DWORD start = GetTickCount();
  while (!AnswerDialogsFor(20, answer)) {
    if (GetTickCount() - start > timeoutMs) {
      TerminateProcess(process_, 1);
      WaitForSingleObject(process_, 5000);
      GetExitCodeProcess(process_, &run_.exitCode);
      break;
    }
  }
  return run_;
}

ChildRun RunChild(const std::string& executable, const std::string& folder, unsigned timeoutMs, DialogAnswer answer,
                  const std::string& arguments) {
  RunningChild child(executable, folder, arguments);
  return child.Wait(timeoutMs, answer);
}

std::vector<uint8_t> ReadHostFile(const std::string& path) {
  std::vector<uint8_t> bytes;
  HANDLE file = CreateFileA(WindowsPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  uint8_t chunk[4096];
  DWORD read = 0;
  while (ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) bytes.insert(bytes.end(), chunk, chunk + read);
  CloseHandle(file);
  return bytes;
}

std::string BareRuntimePath() { return QL_RUNTIME_EXE; }

}  // namespace ql::test

#endif
