#include "files/file.h"

#include <string.h>

#include <new>

#include "platform/lock.h"

namespace ql {

bool File::AtEnd() {
  const int64_t position = Position();
  const int64_t length = Length();
  return position < 0 || length < 0 || position >= length;
}

void CloseOwnedFile(File*& file) {
  File* owned = file;
  if (!owned) return;
  file = nullptr;
  owned->Close();
  delete owned;
}

SystemFile::~SystemFile() { Close(); }

int32_t SystemFile::Read(void* buffer, int32_t count) {
  if (handle_ == platform::kNoFile || count <= 0) return 0;
  if (aheadPos_ == aheadSize_ && ReadAhead() == 0) return 0;
  const int32_t n = count < aheadSize_ - aheadPos_ ? count : aheadSize_ - aheadPos_;
  memcpy(buffer, ahead_.get() + aheadPos_, static_cast<size_t>(n));
  aheadPos_ += n;
  return n;
}

int32_t SystemFile::ReadAhead() {
  if (!ahead_) ahead_.reset(new (std::nothrow) uint8_t[kReadAhead]);
  aheadPos_ = aheadSize_ = 0;
  if (!ahead_) return 0;
  platform::LockGuard guard(platform::FileLock());
  aheadSize_ = platform::ReadFromFile(handle_, ahead_.get(), kReadAhead);
  return aheadSize_;
}

bool SystemFile::ForgetReadAhead() {
  const int32_t unused = aheadSize_ - aheadPos_;
  aheadPos_ = aheadSize_ = 0;
  if (unused == 0) return true;
  const int64_t position = platform::FilePosition(handle_);
  return position >= unused && platform::SetFilePosition(handle_, position - unused);
}

int32_t SystemFile::Write(const void* bytes, int32_t count) {
  if (handle_ == platform::kNoFile) return 0;
  platform::LockGuard guard(platform::FileLock());
  if (!ForgetReadAhead()) return 0;
  return platform::WriteToFile(handle_, bytes, count);
}

int64_t SystemFile::Position() {
  if (handle_ == platform::kNoFile) return -1;
  platform::LockGuard guard(platform::FileLock());
  const int64_t position = platform::FilePosition(handle_);
  return position < 0 ? position : position - (aheadSize_ - aheadPos_);
}

int64_t SystemFile::Length() {
  if (handle_ == platform::kNoFile) return -1;
  platform::LockGuard guard(platform::FileLock());
  return platform::FileLength(handle_);
}

bool SystemFile::SetPosition(int64_t position) {
  if (handle_ == platform::kNoFile) return false;
  platform::LockGuard guard(platform::FileLock());
  aheadPos_ = aheadSize_ = 0;
  return platform::SetFilePosition(handle_, position);
}

void SystemFile::Close() {
  if (handle_ == platform::kNoFile) return;
  platform::LockGuard guard(platform::FileLock());
  platform::CloseFileHandle(handle_);
  handle_ = platform::kNoFile;
  aheadPos_ = aheadSize_ = 0;
}

std::unique_ptr<File> OpenSystemFile(const char* path, platform::OpenDisposition disposition,
                                     int32_t* errorCode) {
  const platform::OpenedFile opened = platform::OpenFileAt(path, disposition);
  if (opened.handle == platform::kNoFile) {
    *errorCode = platform::FileErrorCode(opened.systemError);
    return nullptr;
  }
  std::unique_ptr<File> file(new (std::nothrow) SystemFile(opened.handle));
  if (!file) {
    platform::CloseFileHandle(opened.handle);
    *errorCode = kOutOfMemoryErrorCode;
    return nullptr;
  }
  *errorCode = 0;
  return file;
}

}  // namespace ql
