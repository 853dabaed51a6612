// The intrinsic classes the runtime knows by name only: each has its name,
// its superclass where one is known, and no tables until the subsystem that
// owns it defines it in its own file (and removes its line here).
#include "core/intrinsic_classes.h"

namespace ql::intrinsic {

#define QL_NAMED_CLASS(id, ...)                          \
  const ClassDescription id##Description{__VA_ARGS__}; \
  ObjectDefinition id(id##Description)

QL_NAMED_CLASS(BitwiseClass, .name = "_BitwiseClass");
QL_NAMED_CLASS(Encodings, .name = "_Encodings");
QL_NAMED_CLASS(Keyboard, .name = "_Keyboard");
QL_NAMED_CLASS(QuicktimeInstallStatus, .name = "_QuicktimeInstallStatus");
QL_NAMED_CLASS(StyledTextRange, .name = "_StyledTextRange");
QL_NAMED_CLASS(SystemClass, .name = "_SystemClass");
QL_NAMED_CLASS(actionBinder, .name = "actionBinder");
QL_NAMED_CLASS(AppleEvent, .name = "AppleEvent");
QL_NAMED_CLASS(AppleEventDescList, .name = "AppleEventDescList");
QL_NAMED_CLASS(AppleEventObjectSpecifier, .name = "AppleEventObjectSpecifier");
QL_NAMED_CLASS(AppleEventRecord, .name = "AppleEventRecord");
QL_NAMED_CLASS(AppleEventTarget, .name = "AppleEventTarget");
QL_NAMED_CLASS(AppleEventTemplate, .name = "AppleEventTemplate");
QL_NAMED_CLASS(ArcShape, .name = "ArcShape");
QL_NAMED_CLASS(BinaryStream, .name = "BinaryStream");
QL_NAMED_CLASS(CheckBox, .name = "CheckBox");
QL_NAMED_CLASS(Clipboard, .name = "Clipboard");
QL_NAMED_CLASS(Collection, .name = "Collection");
QL_NAMED_CLASS(CollectionElement, .name = "CollectionElement");
QL_NAMED_CLASS(ContextualMenu, .name = "ContextualMenu");
QL_NAMED_CLASS(CriticalSection, .name = "CriticalSection");
QL_NAMED_CLASS(CurveShape, .name = "CurveShape");
QL_NAMED_CLASS(Database, .name = "Database");
QL_NAMED_CLASS(DatabaseCursor, .name = "DatabaseCursor");
QL_NAMED_CLASS(DatabaseCursorField, .name = "DatabaseCursorField");
QL_NAMED_CLASS(DatabaseField, .name = "DatabaseField");
QL_NAMED_CLASS(DatabaseQuery, .name = "DatabaseQuery");
QL_NAMED_CLASS(DatabaseRecord, .name = "DatabaseRecord");
QL_NAMED_CLASS(DataControl, .name = "DataControl");
QL_NAMED_CLASS(Datagram, .name = "Datagram");
QL_NAMED_CLASS(Date, .name = "Date");
QL_NAMED_CLASS(Dictionary, .name = "Dictionary");
QL_NAMED_CLASS(DockItem, .name = "DockItem");
QL_NAMED_CLASS(DragItem, .name = "DragItem");
QL_NAMED_CLASS(enablingBinder, .name = "enablingBinder");
QL_NAMED_CLASS(FigureShape, .name = "FigureShape");
QL_NAMED_CLASS(FolderItemDialog, .name = "FolderItemDialog");
QL_NAMED_CLASS(Group2D, .name = "Group2D");
QL_NAMED_CLASS(Line, .name = "Line");
QL_NAMED_CLASS(listBinder, .name = "listBinder");
QL_NAMED_CLASS(ListColumn, .name = "ListColumn");
QL_NAMED_CLASS(MDIWindow, .name = "MDIWindow");
QL_NAMED_CLASS(MemoryBlock, .name = "MemoryBlock");
QL_NAMED_CLASS(Movie, .name = "Movie");
QL_NAMED_CLASS(MoviePlayer, .name = "MoviePlayer");
QL_NAMED_CLASS(NotePlayer, .name = "NotePlayer");
// The root of every class that names no other; complete as it is.
QL_NAMED_CLASS(Object, .name = "Object");
QL_NAMED_CLASS(Object2D, .name = "Object2D");
QL_NAMED_CLASS(ObjectCursor, .name = "ObjectCursor");
QL_NAMED_CLASS(OLEContainer, .name = "OLEContainer");
QL_NAMED_CLASS(OLEObject, .name = "OLEObject");
QL_NAMED_CLASS(OpenDialog, .name = "OpenDialog");
QL_NAMED_CLASS(Oval, .name = "Oval");
QL_NAMED_CLASS(OvalShape, .name = "OvalShape");
QL_NAMED_CLASS(PixmapShape, .name = "PixmapShape");
QL_NAMED_CLASS(PrinterSetup, .name = "PrinterSetup");
QL_NAMED_CLASS(ProgressBar, .name = "ProgressBar");
QL_NAMED_CLASS(RadioButton, .name = "RadioButton");
QL_NAMED_CLASS(Random, .name = "Random");
QL_NAMED_CLASS(QUILDatabase, .name = "QUILDatabase");
QL_NAMED_CLASS(RecordSet, .name = "RecordSet");
QL_NAMED_CLASS(Rectangle, .name = "Rectangle");
QL_NAMED_CLASS(RectShape, .name = "RectShape");
QL_NAMED_CLASS(RegistryItem, .name = "RegistryItem");
QL_NAMED_CLASS(ResourceFork, .name = "ResourceFork");
QL_NAMED_CLASS(RGBSurface, .name = "RGBSurface");
QL_NAMED_CLASS(RoundRectangle, .name = "RoundRectangle");
QL_NAMED_CLASS(RoundRectShape, .name = "RoundRectShape");
QL_NAMED_CLASS(Runtime, .name = "Runtime");
QL_NAMED_CLASS(SaveAsDialog, .name = "SaveAsDialog");
QL_NAMED_CLASS(Screen, .name = "Screen");
QL_NAMED_CLASS(ScrollableCursor, .name = "ScrollableCursor");
QL_NAMED_CLASS(ScrollBar, .name = "ScrollBar");
QL_NAMED_CLASS(SelectFolderDialog, .name = "SelectFolderDialog");
QL_NAMED_CLASS(Semaphore, .name = "Semaphore");
QL_NAMED_CLASS(Serial, .name = "Serial");
QL_NAMED_CLASS(SerialPort, .name = "SerialPort");
QL_NAMED_CLASS(ServerSocket, .name = "ServerSocket");
QL_NAMED_CLASS(Slider, .name = "Slider");
QL_NAMED_CLASS(Socket, .name = "Socket");
QL_NAMED_CLASS(SocketCore, .name = "SocketCore");
QL_NAMED_CLASS(stringBinder, .name = "stringBinder");
QL_NAMED_CLASS(StringShape, .name = "StringShape");
QL_NAMED_CLASS(StyledText, .name = "StyledText");
QL_NAMED_CLASS(StyledTextPrinter, .name = "StyledTextPrinter");
QL_NAMED_CLASS(TCPSocket, .name = "TCPSocket");
QL_NAMED_CLASS(TextConverter, .name = "TextConverter");
QL_NAMED_CLASS(Thread, .name = "Thread");
QL_NAMED_CLASS(Timer, .name = "Timer");
QL_NAMED_CLASS(UDPSocket, .name = "UDPSocket");
QL_NAMED_CLASS(Variant, .name = "Variant");
QL_NAMED_CLASS(VirtualVolume, .name = "VirtualVolume");

// Auxiliary: built, never registered, so that no lookup by name finds them.
QL_NAMED_CLASS(SysCheckBoxAction, .name = "Sys$CheckBoxAction", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(SysRadioButtonAction, .name = "Sys$RadioButtonAction", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(SysListboxAction, .name = "Sys$ListboxAction", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(syspopupRowTag, .name = "sys$popupRowTag", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(listSelectionProvider, .name = "listSelectionProvider", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(listColumnValueProvider, .name = "listColumnValueProvider", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(MoviePlayerAction, .name = "MoviePlayerAction", .visibility = Visibility::Auxiliary);
QL_NAMED_CLASS(DataControlAction, .name = "DataControlAction", .visibility = Visibility::Auxiliary);

#undef QL_NAMED_CLASS

}  // namespace ql::intrinsic
