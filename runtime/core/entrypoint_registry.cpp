#include "core/entrypoint_registry.h"

#include <string.h>

#include "core/allocator.h"
#include "core/array.h"
#include "core/assertion.h"
#include "core/entrypoint_table.h"
#include "core/intrinsic_classes.h"

namespace ql {
namespace {

constexpr size_t kBucketCount = 256;

// Link names are identifiers: only ASCII letters fold, the same folding the
// bucket hash applies, so equal names always share a bucket.
inline uint8_t FoldAscii(uint8_t c) { return c >= 'a' && c <= 'z' ? static_cast<uint8_t>(c - 'a' + 'A') : c; }

// Bytes a-z taken as A-Z, each byte as a signed value, h = h * 31 + byte.
uint32_t NameHash(const char* name, size_t length) {
  uint32_t h = 0;
  for (size_t i = 0; i < length; ++i)
    h = h * 31u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<int8_t>(FoldAscii(static_cast<uint8_t>(name[i])))));
  return h;
}

uint32_t BucketOf(uint32_t hash) { return hash % kBucketCount; }

bool SameName(const char* a, size_t aLength, const char* b, size_t bLength) {
  if (aLength != bLength) return false;
  if (memcmp(a, b, aLength) == 0) return true;  // the usual spelling
  for (size_t i = 0; i < aLength; ++i)
    if (FoldAscii(static_cast<uint8_t>(a[i])) != FoldAscii(static_cast<uint8_t>(b[i]))) return false;
  return true;
}

// One named row in the index; the first row of a name wins.
struct IndexNode {
  const char* name;
  uint32_t length;
  uint32_t hash;  // the whole hash: most names of a bucket differ in it
  int32_t next;   // next node of the bucket, -1 at the end
  void* function;
};

class Registry {
 public:
  void Register(const char* name, void* function) {
    BuildIndexOnce();
    if (!name) {
      registered_.Append(EntryPointRow{nullptr, function});
      return;
    }
    const size_t length = strlen(name);
    if (const IndexNode* old = Find(name, length)) {
      QL_CHECK(function == old->function, "relocentry", 2240, "functionPtr == oldEntry->code");
      return;
    }
    const char* copy = CopyName(name, length);
    registered_.Append(EntryPointRow{copy, function});
    Index(copy, length, function);
  }

  void* Lookup(const char* name, size_t length) {
    if (!name) return nullptr;
    BuildIndexOnce();
    const IndexNode* node = Find(name, length);
    return node ? node->function : nullptr;
  }

  size_t RegisteredCount() const { return registered_.Count(); }

 private:
  void BuildIndexOnce() {
    if (built_) return;
    built_ = true;
    for (int32_t& b : buckets_) b = -1;
    // The compiled-in parts first, then every registered row.
    for (size_t t = 0; t < kCompiledInEntryPoints.count; ++t) {
      const EntryPointTable* table = kCompiledInEntryPoints.tables[t];
      for (size_t i = 0; i < table->count; ++i) IndexIfNew(table->rows[i]);
    }
    for (const EntryPointRow& row : registered_) IndexIfNew(row);
  }

  void IndexIfNew(const EntryPointRow& row) {
    if (!row.name) return;
    const size_t length = strlen(row.name);
    if (!Find(row.name, length)) Index(row.name, length, row.function);
  }

  void Index(const char* name, size_t length, void* function) {
    const uint32_t hash = NameHash(name, length);
    const uint32_t bucket = BucketOf(hash);
    nodes_.Append(IndexNode{name, static_cast<uint32_t>(length), hash, buckets_[bucket], function});
    buckets_[bucket] = static_cast<int32_t>(nodes_.Count() - 1);
  }

  // Buckets chain newest first; a name is indexed once, so order is moot.
  const IndexNode* Find(const char* name, size_t length) const {
    const uint32_t hash = NameHash(name, length);
    for (int32_t i = buckets_[BucketOf(hash)]; i >= 0; i = nodes_[i].next) {
      const IndexNode& n = nodes_[i];
      if (n.hash == hash && SameName(n.name, n.length, name, length)) return &n;
    }
    return nullptr;
  }

  // Registered names are kept for the life of the process: callers (plug-ins
  // among them) need not keep their text alive.
  static const char* CopyName(const char* name, size_t length) {
    char* copy = static_cast<char*>(AllocateOrDie(length + 1));
    memcpy(copy, name, length + 1);
    return copy;
  }

  bool built_ = false;
  int32_t buckets_[kBucketCount];
  Array<IndexNode> nodes_;
  Array<EntryPointRow> registered_;
};

// Never destroyed: entry points stay resolvable while static destructors run.
Registry& TheRegistry() {
  static Registry& registry = *new Registry;
  return registry;
}

}  // namespace

void RegisterEntryPoint(const char* name, void* function) { TheRegistry().Register(name, function); }

// The class tables' names count as soon as anything looks a name up, so no
// caller depends on start-up having registered the classes first.
void* LookupEntryPoint(const char* name, size_t length) {
  RegisterIntrinsicClasses();
  return TheRegistry().Lookup(name, length);
}

void* LookupEntryPoint(const char* name) { return name ? LookupEntryPoint(name, strlen(name)) : nullptr; }

size_t RegisteredEntryPointCount() { return TheRegistry().RegisteredCount(); }

}  // namespace ql
