// Entry points: folder items and text streams. File-system failures show as
// nil results or false, never as exceptions; a nil receiver raises
// NilObjectException and gives the failure value.
#pragma once

#include "quillon/entrypoints/common.h"

// --- FolderItem ---
// GetFolderItem(path): the item for `path` (relative names lie beside the
// executable), or nil.
QL_ENTRY RuntimeObject* RuntimeGetFolderItem(RuntimeString* path);
// Exists and Locked (read-only properties).
QL_ENTRY bool fileExistsGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY bool fileLockedGetter(RuntimeObject* item, uint32_t param);
// LastErrorCode: the cause of the last failed creation, 0 after a success.
QL_ENTRY int32_t fileLastErrorCodeGetter(RuntimeObject* item, uint32_t param);
QL_ENTRY void fileLastErrorCodeSetter(RuntimeObject* item, uint32_t param, int32_t value);
// OpenAsTextFile: a TextInputStream at the start of the file, or nil.
QL_ENTRY RuntimeObject* FolderItemOpenTextFile(RuntimeObject* item);
// CreateTextFile: a TextOutputStream on a new, empty file, or nil (see LastErrorCode).
QL_ENTRY RuntimeObject* FolderItemCreateTextFile(RuntimeObject* item);

// --- TextInputStream ---
// The next line without its ending, tagged with `encoding` (a TextEncoding),
// or with the stream's Encoding when it is nil.
QL_ENTRY RuntimeString* TextInputStreamReadLine(RuntimeObject* stream, RuntimeObject* encoding);
// EOF (read-only property): nothing is left to read.
QL_ENTRY bool TextInputStreamEOF(RuntimeObject* stream, uint32_t param);
QL_ENTRY void TextInputStreamClose(RuntimeObject* stream);

// --- TextOutputStream ---
// The text, then the Delimiter (CR LF while it is empty).
QL_ENTRY void TextOutputStreamWriteLine(RuntimeObject* stream, RuntimeString* text);
// The text alone.
QL_ENTRY void TextOutputStreamWrite(RuntimeObject* stream, RuntimeString* text);
QL_ENTRY void TextOutputStreamClose(RuntimeObject* stream);
