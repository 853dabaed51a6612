#include "startup/file_types.h"

#include <new>

#include "quillon/entrypoints/application.h"

namespace ql {
namespace {

FileType* g_first = nullptr;
FileType* g_last = nullptr;

}  // namespace

const FileType* FirstFileType() { return g_first; }

void ForgetFileTypes() {
  while (FileType* type = g_first) {
    g_first = type->next;
    delete type;
  }
  g_last = nullptr;
}

}  // namespace ql

using namespace ql;

QL_ENTRY void RuntimeRegisterFileType(RuntimeString* name, RuntimeString* creator, RuntimeString* type,
                                      RuntimeString* extensions) {
  FileType* record = new (std::nothrow)
      FileType{String::Retain(name), String::Retain(creator), String::Retain(type), String::Retain(extensions), nullptr};
  if (!record) return;
  if (g_last)
    g_last->next = record;
  else
    g_first = record;
  g_last = record;
}
