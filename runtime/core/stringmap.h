// A hash map from runtime strings to pointers with case-insensitive keys.
// 256 buckets at creation, doubled once more than three quarters are used;
// iteration follows first insertion.
#pragma once

#include <stddef.h>
#include <stdint.h>

#include "core/array.h"
#include "core/string.h"

namespace ql {

// h = h * 31 + byte over the bytes, ASCII a-z taken as A-Z, each byte as a
// signed 8-bit value, 32-bit arithmetic.
uint32_t NameHash(const char* bytes, size_t length);

class StringMapBase {
 public:
  StringMapBase();
  ~StringMapBase();
  StringMapBase(const StringMapBase&) = delete;
  StringMapBase& operator=(const StringMapBase&) = delete;

  size_t Count() const { return live_; }
  size_t BucketCount() const { return bucketCount_; }

 protected:
  struct Entry {
    RuntimeString* key;  // one reference, held by the map
    void* value;
    int32_t next;        // next entry in the same bucket, -1 at the end
    int32_t live;        // 0 once removed
  };

  void* const* FindValue(const char* bytes, size_t length) const;
  void* const* FindValue(RuntimeString* key) const;
  // Returns false (and changes nothing) when the key is present.
  bool InsertValue(RuntimeString* key, void* value);
  // Inserts or replaces; returns the previous value or nullptr.
  void* SetValue(RuntimeString* key, void* value);
  bool RemoveValue(RuntimeString* key, void** removed);

  template <class F>
  void EachEntry(F&& f) const {
    for (const Entry& e : entries_)
      if (e.live) f(e.key, e.value);
  }

 private:
  int32_t Lookup(RuntimeString* key) const;
  int32_t LookupBytes(const char* bytes, size_t length) const;
  void Rehash(size_t bucketCount);

  Array<Entry> entries_;
  int32_t* buckets_ = nullptr;
  size_t bucketCount_ = 0;
  size_t live_ = 0;
};

template <class T>
class StringMap : public StringMapBase {
 public:
  T* Find(RuntimeString* key) const {
    void* const* v = FindValue(key);
    return v ? static_cast<T*>(*v) : nullptr;
  }
  T* Find(const char* bytes, size_t length) const {
    void* const* v = FindValue(bytes, length);
    return v ? static_cast<T*>(*v) : nullptr;
  }
  bool Contains(RuntimeString* key) const { return FindValue(key) != nullptr; }
  bool Insert(RuntimeString* key, T* value) { return InsertValue(key, value); }
  T* Set(RuntimeString* key, T* value) { return static_cast<T*>(SetValue(key, value)); }
  T* Remove(RuntimeString* key) {
    void* removed = nullptr;
    return RemoveValue(key, &removed) ? static_cast<T*>(removed) : nullptr;
  }
  // f(RuntimeString* key, T* value) in first-insertion order.
  template <class F>
  void ForEach(F&& f) const {
    EachEntry([&](RuntimeString* k, void* v) { f(k, static_cast<T*>(v)); });
  }
};

}  // namespace ql
