// The open file a text stream sits on: read up to n bytes, write n bytes,
// position, length, close. Streams own their file and destroy it when they
// close.
#pragma once

#include <stdint.h>

#include <memory>

#include "platform/fileio.h"

namespace ql {

class File {
 public:
  virtual ~File() = default;

  // Bytes read, 0 at the end or on failure.
  virtual int32_t Read(void* buffer, int32_t count) = 0;
  // Bytes written; fewer than count only on failure.
  virtual int32_t Write(const void* bytes, int32_t count) = 0;
  // -1 on failure.
  virtual int64_t Position() = 0;
  virtual int64_t Length() = 0;
  virtual bool SetPosition(int64_t position) = 0;
  // Further calls read and write nothing.
  virtual void Close() = 0;

  // Position at or past the length; a file that cannot tell counts as ended.
  bool AtEnd();
};

// Closes and destroys the file a stream owns and clears the stream's field;
// nothing when it is already nil.
void CloseOwnedFile(File*& file);

// A file of the system's file layer. Every call into the system is made
// while holding the process-wide file lock. Reads are served from a block
// read ahead, so that a stream's kilobyte fills cost no system call each;
// position, writes and seeks account for the bytes read ahead.
class SystemFile final : public File {
 public:
  static constexpr int32_t kReadAhead = 64 * 1024;

  explicit SystemFile(platform::FileHandle handle) : handle_(handle) {}
  ~SystemFile() override;
  SystemFile(const SystemFile&) = delete;
  SystemFile& operator=(const SystemFile&) = delete;

  int32_t Read(void* buffer, int32_t count) override;
  int32_t Write(const void* bytes, int32_t count) override;
  int64_t Position() override;
  int64_t Length() override;
  bool SetPosition(int64_t position) override;
  void Close() override;

 private:
  int32_t ReadAhead();
  // Moves the system's position back over what was read ahead and unused.
  bool ForgetReadAhead();

  platform::FileHandle handle_;
  std::unique_ptr<uint8_t[]> ahead_;  // allocated on the first read
  int32_t aheadPos_ = 0;               // next unused byte of ahead_
  int32_t aheadSize_ = 0;              // bytes ahead_ holds
};

// Opens a path for a stream. On failure the result is null and `errorCode`
// receives the `LastErrorCode` value of the cause (platform::FileErrorCode).
std::unique_ptr<File> OpenSystemFile(const char* path, platform::OpenDisposition disposition,
                                     int32_t* errorCode);

// `LastErrorCode` values the runtime sets itself: a refusal (a read-only or
// not creatable item) and memory running out.
constexpr int32_t kAccessDeniedErrorCode = 102;
constexpr int32_t kOutOfMemoryErrorCode = 103;

}  // namespace ql
