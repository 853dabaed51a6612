#include "core/stringmap.h"

namespace ql {
namespace {

constexpr size_t kInitialBuckets = 256;

size_t BucketOf(uint32_t hash, size_t bucketCount) { return hash & (bucketCount - 1); }

}  // namespace

uint32_t NameHash(const char* bytes, size_t length) {
  uint32_t h = 0;
  for (size_t i = 0; i < length; ++i) {
    uint8_t c = static_cast<uint8_t>(bytes[i]);
    if (c >= 'a' && c <= 'z') c = static_cast<uint8_t>(c - 'a' + 'A');
    h = h * 31u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(c)));
  }
  return h;
}

StringMapBase::StringMapBase() { Rehash(kInitialBuckets); }

StringMapBase::~StringMapBase() {
  for (Entry& e : entries_)
    if (e.live) ReleaseString(e.key);
  Release(buckets_, bucketCount_ * sizeof(int32_t));
}

int32_t StringMapBase::LookupBytes(const char* bytes, size_t length) const {
  for (int32_t i = buckets_[BucketOf(NameHash(bytes, length), bucketCount_)]; i >= 0; i = entries_[i].next) {
    const Entry& e = entries_[i];
    if (CompareNameBytes(StringText(e.key), static_cast<size_t>(StringLength(e.key)), bytes, length) == 0) return i;
  }
  return -1;
}

int32_t StringMapBase::Lookup(RuntimeString* key) const {
  const uint32_t hash = NameHash(StringText(key), static_cast<size_t>(StringLength(key)));
  for (int32_t i = buckets_[BucketOf(hash, bucketCount_)]; i >= 0; i = entries_[i].next) {
    if (CompareNames(entries_[i].key, key) == 0) return i;
  }
  return -1;
}

void* const* StringMapBase::FindValue(const char* bytes, size_t length) const {
  const int32_t i = LookupBytes(bytes, length);
  return i < 0 ? nullptr : &entries_[i].value;
}

void* const* StringMapBase::FindValue(RuntimeString* key) const {
  const int32_t i = Lookup(key);
  return i < 0 ? nullptr : &entries_[i].value;
}

bool StringMapBase::InsertValue(RuntimeString* key, void* value) {
  if (Lookup(key) >= 0) return false;
  if ((live_ + 1) * 4 > bucketCount_ * 3) Rehash(bucketCount_ * 2);
  const size_t bucket = BucketOf(NameHash(StringText(key), static_cast<size_t>(StringLength(key))), bucketCount_);
  entries_.Append(Entry{RetainString(key), value, buckets_[bucket], 1});
  buckets_[bucket] = static_cast<int32_t>(entries_.Count() - 1);
  ++live_;
  return true;
}

void* StringMapBase::SetValue(RuntimeString* key, void* value) {
  const int32_t i = Lookup(key);
  if (i >= 0) {
    void* old = entries_[i].value;
    entries_[i].value = value;
    return old;
  }
  InsertValue(key, value);
  return nullptr;
}

bool StringMapBase::RemoveValue(RuntimeString* key, void** removed) {
  const int32_t i = Lookup(key);
  if (i < 0) return false;
  Entry& e = entries_[i];
  const size_t bucket = BucketOf(NameHash(StringText(e.key), static_cast<size_t>(StringLength(e.key))), bucketCount_);
  int32_t* link = &buckets_[bucket];
  while (*link != i) link = &entries_[*link].next;
  *link = e.next;
  *removed = e.value;
  ReleaseString(e.key);
  e.key = nullptr;
  e.live = 0;
  --live_;
  return true;
}

void StringMapBase::Rehash(size_t bucketCount) {
  Release(buckets_, bucketCount_ * sizeof(int32_t));
  buckets_ = static_cast<int32_t*>(AllocateOrDie(bucketCount * sizeof(int32_t)));
  bucketCount_ = bucketCount;
  for (size_t b = 0; b < bucketCount; ++b) buckets_[b] = -1;
  for (size_t i = 0; i < entries_.Count(); ++i) {
    Entry& e = entries_[i];
    if (!e.live) continue;
    const size_t bucket = BucketOf(NameHash(StringText(e.key), static_cast<size_t>(StringLength(e.key))), bucketCount);
    e.next = buckets_[bucket];
    buckets_[bucket] = static_cast<int32_t>(i);
  }
}

}  // namespace ql
