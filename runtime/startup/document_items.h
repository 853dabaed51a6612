// The FolderItem that carries the documents named on the command line to the
// application's OpenDocument. FolderItem belongs to the files layer, which
// sits above start-up: it defines these two (files/document_items.cpp).
#pragma once

#include "quillon/abi.h"

namespace ql {

// A new FolderItem for `path` (one reference), or nil when the path names
// no item (GetFolderItem's rules; relative paths are taken from the
// executable's folder).
RuntimeObject* NewDocumentItem(RuntimeString* path);

// Points `item`, made by NewDocumentItem, at `path` instead; false (and the
// item unchanged) when the path names no item.
bool PointDocumentItemAt(RuntimeObject* item, RuntimeString* path);

}  // namespace ql
