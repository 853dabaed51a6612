// The exported operations of folder items and text streams.
#include "core/assertion.h"
#include "core/exception.h"
#include "core/textencoding_object.h"
#include "files/file_classes.h"
#include "files/folder_item.h"
#include "files/text_input_stream.h"
#include "files/text_output_stream.h"
#include "quillon/entrypoints/files.h"
#include "files/file_entrypoints.h"

namespace ql {
namespace {

// The receiver's implementation: nil raises NilObjectException; an item
// without one (never made by GetFolderItem) is an internal error.
FolderItemImp* ItemOf(RuntimeObject* item) {
  if (!item) {
    RaiseNilObjectException();
    return nullptr;
  }
  FolderItemImp* imp = reinterpret_cast<FolderItemObject*>(item)->imp;
  QL_CHECK(imp, "runFolderItem", __LINE__, "entry->mImp");
  return imp;
}

template <class Stream>
Stream* StreamOf(RuntimeObject* stream) {
  if (!stream) RaiseNilObjectException();
  return reinterpret_cast<Stream*>(stream);
}

}  // namespace
}  // namespace ql

using namespace ql;

QL_ENTRY RuntimeObject* RuntimeGetFolderItem(RuntimeString* path) {
  std::unique_ptr<FolderItemImp> imp = NewFolderItemImp(path);
  if (!imp) return nullptr;
  return NewFolderItemObject(std::move(imp)).release();
}

QL_ENTRY bool fileExistsGetter(RuntimeObject* item, uint32_t) {
  FolderItemImp* imp = ItemOf(item);
  return imp && imp->Exists();
}

QL_ENTRY bool fileLockedGetter(RuntimeObject* item, uint32_t) {
  FolderItemImp* imp = ItemOf(item);
  return imp && imp->Locked();
}

QL_ENTRY int32_t fileLastErrorCodeGetter(RuntimeObject* item, uint32_t) {
  FolderItemImp* imp = ItemOf(item);
  return imp ? imp->LastErrorCode() : 0;
}

QL_ENTRY void fileLastErrorCodeSetter(RuntimeObject* item, uint32_t, int32_t value) {
  if (FolderItemImp* imp = ItemOf(item)) imp->SetLastErrorCode(value);
}

QL_ENTRY RuntimeObject* FolderItemOpenTextFile(RuntimeObject* item) {
  FolderItemImp* imp = ItemOf(item);
  if (!imp) return nullptr;
  std::unique_ptr<File> file = OpenTextFileOf(*imp);
  if (!file) return nullptr;
  return NewTextInputStreamObject(std::move(file)).release();
}

QL_ENTRY RuntimeObject* FolderItemCreateTextFile(RuntimeObject* item) {
  FolderItemImp* imp = ItemOf(item);
  if (!imp) return nullptr;
  std::unique_ptr<File> file = CreateTextFileOf(*imp);
  if (!file) return nullptr;
  return NewTextOutputStreamObject(std::move(file)).release();
}

QL_ENTRY RuntimeString* TextInputStreamReadLine(RuntimeObject* stream, RuntimeObject* encoding) {
  TextInputStreamObject* s = StreamOf<TextInputStreamObject>(stream);
  if (!s) return nullptr;
  const uint32_t tag = TextEncodingValue(encoding, TextEncodingValue(s->encoding, kDefaultStreamEncoding));
  return ReadLine(*s, tag).release();
}

QL_ENTRY bool TextInputStreamEOF(RuntimeObject* stream, uint32_t) {
  TextInputStreamObject* s = StreamOf<TextInputStreamObject>(stream);
  return s && StreamAtEnd(*s);
}

QL_ENTRY void TextInputStreamClose(RuntimeObject* stream) {
  if (TextInputStreamObject* s = StreamOf<TextInputStreamObject>(stream)) CloseInputStream(*s);
}

QL_ENTRY void TextOutputStreamWriteLine(RuntimeObject* stream, RuntimeString* text) {
  if (TextOutputStreamObject* s = StreamOf<TextOutputStreamObject>(stream)) WriteLine(*s, text);
}

QL_ENTRY void TextOutputStreamWrite(RuntimeObject* stream, RuntimeString* text) {
  if (TextOutputStreamObject* s = StreamOf<TextOutputStreamObject>(stream)) Write(*s, text);
}

QL_ENTRY void TextOutputStreamClose(RuntimeObject* stream) {
  if (TextOutputStreamObject* s = StreamOf<TextOutputStreamObject>(stream)) CloseOutputStream(*s);
}

namespace ql {
namespace {

const EntryPointRow kRows[] = {
    {"RuntimeGetFolderItem", EntryAddress(RuntimeGetFolderItem)},
    {"fileExistsGetter", EntryAddress(fileExistsGetter)},
    {"fileLockedGetter", EntryAddress(fileLockedGetter)},
    {"fileLastErrorCodeGetter", EntryAddress(fileLastErrorCodeGetter)},
    {"fileLastErrorCodeSetter", EntryAddress(fileLastErrorCodeSetter)},
    {"FolderItemOpenTextFile", EntryAddress(FolderItemOpenTextFile)},
    {"FolderItemCreateTextFile", EntryAddress(FolderItemCreateTextFile)},
    {"TextInputStreamReadLine", EntryAddress(TextInputStreamReadLine)},
    {"TextInputStreamEOF", EntryAddress(TextInputStreamEOF)},
    {"TextInputStreamClose", EntryAddress(TextInputStreamClose)},
    {"TextOutputStreamWriteLine", EntryAddress(TextOutputStreamWriteLine)},
    {"TextOutputStreamWrite", EntryAddress(TextOutputStreamWrite)},
    {"TextOutputStreamClose", EntryAddress(TextOutputStreamClose)},
};

}  // namespace

const EntryPointTable kFileEntryPoints = MakeEntryPointTable(kRows);

}  // namespace ql
