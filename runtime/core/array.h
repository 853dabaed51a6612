// A growable array of trivially copyable values. When full it grows by its
// current capacity, but by at least 16 slots (16, 32, 64, ...).
#pragma once

#include <stddef.h>
#include <string.h>

#include <type_traits>

#include "core/allocator.h"

namespace ql {

template <class T>
class Array {
  static_assert(std::is_trivially_copyable_v<T>, "Array moves its elements with memcpy");

 public:
  Array() = default;
  ~Array() { Release(items_, capacity_ * sizeof(T)); }
  Array(const Array&) = delete;
  Array& operator=(const Array&) = delete;
  Array(Array&& other) noexcept : items_(other.items_), count_(other.count_), capacity_(other.capacity_) {
    other.items_ = nullptr;
    other.count_ = other.capacity_ = 0;
  }

  static constexpr size_t kMinimumGrowth = 16;
  static size_t NextCapacity(size_t capacity) { return capacity + (capacity < kMinimumGrowth ? kMinimumGrowth : capacity); }

  void Append(const T& value) {
    if (count_ == capacity_) Grow();
    items_[count_++] = value;
  }

  void RemoveAt(size_t index) {
    memmove(items_ + index, items_ + index + 1, (count_ - index - 1) * sizeof(T));
    --count_;
  }

  void Clear() { count_ = 0; }

  size_t Count() const { return count_; }
  size_t Capacity() const { return capacity_; }
  bool Empty() const { return count_ == 0; }
  T& operator[](size_t i) { return items_[i]; }
  const T& operator[](size_t i) const { return items_[i]; }
  T* begin() { return items_; }
  T* end() { return items_ + count_; }
  const T* begin() const { return items_; }
  const T* end() const { return items_ + count_; }

 private:
  void Grow() {
    const size_t capacity = NextCapacity(capacity_);
    T* items = static_cast<T*>(AllocateOrDie(capacity * sizeof(T)));
    if (count_) memcpy(static_cast<void*>(items), items_, count_ * sizeof(T));
    Release(items_, capacity_ * sizeof(T));
    items_ = items;
    capacity_ = capacity;
  }

  T* items_ = nullptr;
  size_t count_ = 0;
  size_t capacity_ = 0;
};

}  // namespace ql
