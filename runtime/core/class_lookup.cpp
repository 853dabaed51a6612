#include "core/class_lookup.h"

#include "core/intrinsic_classes.h"
#include "core/signature.h"
#include "core/string.h"
#include "core/stringmap.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

// Owns nothing: classes live until the process ends, and so does the cache.
StringMap<RuntimeClass>& ClassCache() {
  static StringMap<RuntimeClass>& cache = *new StringMap<RuntimeClass>;
  return cache;
}

ObjectDefinition* FindDefinition(std::string_view name) {
  if (ObjectDefinition* d = FindRegisteredDefinition(name.data(), name.size())) return d;
  return FindPluginDefinition(name.data(), name.size());
}

}  // namespace

RuntimeClass* LookupClass(std::string_view name) {
  RegisterIntrinsicClasses();
  StringMap<RuntimeClass>& cache = ClassCache();
  if (RuntimeClass* cls = cache.Find(name.data(), name.size())) return cls;
  ObjectDefinition* d = FindDefinition(name);
  if (!d) return nullptr;
  RuntimeClass* cls = ClassOf(*d);
  if (cls) cache.Insert(d->name, cls);
  return cls;
}

}  // namespace ql

QL_ENTRY RuntimeClass* RuntimeLookupClass(RuntimeString* name) {
  ql::String held = ql::String::Retain(name);
  return ql::LookupClass(ql::TextOf(name));
}
