// The compiled-in entry-point table as the runtime is assembled: every
// layer's part, in search order. It lives above the layers because it is the
// one place that names them all.
#include "files/file_entrypoints.h"
#include "menus/menu_entrypoints.h"
#include "startup/entrypoint_table.h"
#include "ui/ui_entrypoints.h"

namespace ql {
namespace {
const EntryPointTable* const kParts[] = {&kStartupEntryPoints, &kObjectEntryPoints, &kStringEntryPoints,
                                         &kFileEntryPoints,    &kWindowEntryPoints, &kControlEntryPoints,
                                         &kMenuEntryPoints};
}  // namespace

const EntryPointTableList kCompiledInEntryPoints = {kParts, sizeof kParts / sizeof kParts[0]};

}  // namespace ql
