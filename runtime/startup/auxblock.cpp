#include "startup/auxblock.h"

#include <utility>

namespace ql {

bool FindAuxiliaryRecord(ByteSource& file, uint64_t blockStart, int64_t number, uint64_t* position) {
  if (number < 1) return false;
  const uint64_t size = file.Size();
  uint8_t word[4];
  if (blockStart > size || size - blockStart < 4 || !file.ReadAt(blockStart, word, 4)) return false;
  const uint64_t count = LoadU32BigEndian(word);
  if (static_cast<uint64_t>(number) > count) return false;
  const uint64_t records = blockStart + 4 + 4 * count;  // where the table ends
  if (records > size) return false;
  if (!file.ReadAt(blockStart + 4 * static_cast<uint64_t>(number), word, 4)) return false;
  const uint64_t start = records + LoadU32BigEndian(word);
  if (start >= size) return false;
  *position = start;
  return true;
}

AuxiliaryBlock& AuxiliaryBlock::operator=(AuxiliaryBlock&& other) noexcept {
  files_ = other.files_;
  locator_ = other.locator_;
  file_ = std::move(other.file_);
  start_ = other.start_;
  tried_ = other.tried_;
  return *this;
}

bool AuxiliaryBlock::Open() {
  if (tried_) return file_ != nullptr;
  tried_ = true;
  if (!files_) return false;
  switch (locator_.auxiliary) {
    case ImageLocator::Auxiliary::None:
      return false;
    case ImageLocator::Auxiliary::DevelopmentFile:
      file_ = files_->OpenDevelopmentFile("data3.dat");
      start_ = 0;
      break;
    case ImageLocator::Auxiliary::Executable:
      file_ = files_->OpenExecutable();
      start_ = locator_.auxiliaryOffset;
      break;
  }
  return file_ != nullptr;
}

bool AuxiliaryBlock::Find(int64_t number, ByteSource** file, uint64_t* position) {
  if (!Open() || !FindAuxiliaryRecord(*file_, start_, number, position)) return false;
  *file = file_.get();
  return true;
}

AuxiliaryBlock& CurrentAuxiliaryBlock() {
  static AuxiliaryBlock block;
  return block;
}

}  // namespace ql
