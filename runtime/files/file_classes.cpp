#include "files/file_classes.h"

#include <stddef.h>

#include <utility>

#include "core/intrinsic_classes.h"
#include "core/textencoding_object.h"
#include "files/folder_item.h"
#include "files/text_input_stream.h"
#include "files/text_output_stream.h"
#include "quillon/entrypoints/files.h"
#include "quillon/entrypoints/objects.h"

namespace ql {
namespace {

template <class T>
T* Instance(RuntimeObject* o) {
  return reinterpret_cast<T*>(o);
}

// --- FolderItem ---

void DestroyFolderItem(RuntimeObject* o) {
  FolderItemObject* item = Instance<FolderItemObject>(o);
  delete std::exchange(item->imp, nullptr);
}

const PropertyEntry kFolderItemProperties[] = {
    ReadOnlyProperty("Exists", types::Boolean, QL_LINK(fileExistsGetter)),
    ReadOnlyProperty("Locked", types::Boolean, QL_LINK(fileLockedGetter)),
    Property("LastErrorCode", types::Integer, QL_LINK(fileLastErrorCodeGetter), QL_LINK(fileLastErrorCodeSetter)),
};

const MethodEntry kFolderItemMethods[] = {
    Method("OpenAsTextFile", QL_LINK(FolderItemOpenTextFile), TypeOf(intrinsic::TextInputStream)),
    Method("CreateTextFile", QL_LINK(FolderItemCreateTextFile), TypeOf(intrinsic::TextOutputStream)),
};

const ParameterEntry kPathParameter[] = {Parameter("path", types::String)};

const MethodEntry kGlobalFunctions[] = {
    Method("GetFolderItem", QL_LINK(RuntimeGetFolderItem), TypeOf(intrinsic::FolderItem), kPathParameter),
};

// --- TextInputStream ---

void DestroyTextInputStream(RuntimeObject* o) {
  TextInputStreamObject* stream = Instance<TextInputStreamObject>(o);
  CloseInputStream(*stream);
  RuntimeUnlockObject(std::exchange(stream->encoding, nullptr));
}

const PropertyEntry kTextInputStreamProperties[] = {
    ReadOnlyProperty("EOF", types::Boolean, QL_LINK(TextInputStreamEOF)),
    Property("Encoding", TypeOf(intrinsic::TextEncoding), QL_LINK(objGetter), QL_LINK(objSetter),
             offsetof(TextInputStreamObject, encoding)),
};

const ParameterEntry kEncodingParameter[] = {Parameter("enc", TypeOf(intrinsic::TextEncoding))};

const MethodEntry kTextInputStreamMethods[] = {
    Method("ReadLine", QL_LINK(TextInputStreamReadLine), types::String, kEncodingParameter),
    Method("Close", QL_LINK(TextInputStreamClose)),
};

// --- TextOutputStream ---

void DestroyTextOutputStream(RuntimeObject* o) {
  TextOutputStreamObject* stream = Instance<TextOutputStreamObject>(o);
  CloseOutputStream(*stream);
  ReleaseString(std::exchange(stream->delimiter, nullptr));
}

const PropertyEntry kTextOutputStreamProperties[] = {
    Property("Delimiter", types::String, QL_LINK(stringGetter), QL_LINK(stringSetter),
             offsetof(TextOutputStreamObject, delimiter)),
};

const ParameterEntry kTextParameter[] = {Parameter("text", types::String)};

const MethodEntry kTextOutputStreamMethods[] = {
    Method("WriteLine", QL_LINK(TextOutputStreamWriteLine), nullptr, kTextParameter),
    Method("Write", QL_LINK(TextOutputStreamWrite), nullptr, kTextParameter),
    Method("Close", QL_LINK(TextOutputStreamClose)),
};

}  // namespace

const Table<MethodEntry> kFileGlobalFunctions = kGlobalFunctions;

namespace intrinsic {

const ClassDescription FolderItemDescription{
    .name = "FolderItem",
    .instanceSize = sizeof(FolderItemObject),
    .destroyHook = DestroyFolderItem,
    .properties = kFolderItemProperties,
    .methods = kFolderItemMethods,
};
ObjectDefinition FolderItem(FolderItemDescription);

const ClassDescription TextInputStreamDescription{
    .name = "TextInputStream",
    .instanceSize = sizeof(TextInputStreamObject),
    .destroyHook = DestroyTextInputStream,
    .properties = kTextInputStreamProperties,
    .methods = kTextInputStreamMethods,
};
ObjectDefinition TextInputStream(TextInputStreamDescription);

const ClassDescription TextOutputStreamDescription{
    .name = "TextOutputStream",
    .instanceSize = sizeof(TextOutputStreamObject),
    .destroyHook = DestroyTextOutputStream,
    .properties = kTextOutputStreamProperties,
    .methods = kTextOutputStreamMethods,
};
ObjectDefinition TextOutputStream(TextOutputStreamDescription);

}  // namespace intrinsic

ObjectRef NewFolderItemObject(std::unique_ptr<FolderItemImp> imp) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::FolderItem)));
  if (o) Instance<FolderItemObject>(o.get())->imp = imp.release();
  return o;
}

ObjectRef NewSpecialFolderItemObject(platform::SpecialFolder folder) {
  std::unique_ptr<FolderItemImp> imp = NewFolderItemImpForAbsolutePath(platform::SpecialFolderPath(folder));
  if (!imp) return ObjectRef();
  return NewFolderItemObject(std::move(imp));
}

ObjectRef NewTextInputStreamObject(std::unique_ptr<File> file) {
  ObjectRef encoding = NewTextEncodingObject(kDefaultStreamEncoding);
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::TextInputStream)));
  if (!o) return o;
  TextInputStreamObject* stream = Instance<TextInputStreamObject>(o.get());
  stream->file = file.release();
  stream->encoding = encoding.release();
  return o;
}

ObjectRef NewTextOutputStreamObject(std::unique_ptr<File> file) {
  ObjectRef o = ObjectRef::Adopt(RuntimeNewObject(ClassOf(intrinsic::TextOutputStream)));
  if (o) Instance<TextOutputStreamObject>(o.get())->file = file.release();
  return o;
}

}  // namespace ql
