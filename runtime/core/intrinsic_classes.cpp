#include "core/intrinsic_classes.h"

#include "core/exception.h"

namespace ql {
namespace {

// Registration order; the auxiliary definitions follow.
ObjectDefinition* const kDefinitions[] = {
    &intrinsic::BitwiseClass,
    &intrinsic::Encodings,
    &intrinsic::Keyboard,
    &intrinsic::MenuBarInstaller,
    &intrinsic::MenuHandler,
    &intrinsic::PaneChild,
    &intrinsic::QuicktimeInstallStatus,
    &intrinsic::StyledTextRange,
    &intrinsic::SystemClass,
    &intrinsic::actionBinder,
    &intrinsic::actionNotificationReceiver,
    &intrinsic::actionSource,
    &intrinsic::AppleEvent,
    &intrinsic::AppleEventDescList,
    &intrinsic::AppleEventObjectSpecifier,
    &intrinsic::AppleEventRecord,
    &intrinsic::AppleEventTarget,
    &intrinsic::AppleEventTemplate,
    &intrinsic::AppleMenuItem,
    &intrinsic::Application,
    &intrinsic::ArcShape,
    &intrinsic::BinaryStream,
    &intrinsic::bindingInterface,
    &intrinsic::bindingPartInterface,
    &intrinsic::BooleanProvider,
    &intrinsic::Canvas,
    &intrinsic::CheckBox,
    &intrinsic::Clipboard,
    &intrinsic::Collection,
    &intrinsic::CollectionElement,
    &intrinsic::ContextualMenu,
    &intrinsic::Control,
    &intrinsic::CriticalSection,
    &intrinsic::CurveShape,
    &intrinsic::DataAvailableProvider,
    &intrinsic::Database,
    &intrinsic::DatabaseCursor,
    &intrinsic::DatabaseCursorField,
    &intrinsic::DatabaseField,
    &intrinsic::DatabaseQuery,
    &intrinsic::DatabaseRecord,
    &intrinsic::DataControl,
    &intrinsic::Datagram,
    &intrinsic::dataNotificationReceiver,
    &intrinsic::dataNotifier,
    &intrinsic::Date,
    &intrinsic::Dictionary,
    &intrinsic::DockItem,
    &intrinsic::DragItem,
    &intrinsic::EditField,
    &intrinsic::enablingBinder,
    &intrinsic::EndException,
    &intrinsic::EndOfLine,
    &intrinsic::FigureShape,
    &intrinsic::FolderItem,
    &intrinsic::FolderItemDialog,
    &intrinsic::Graphics,
    &intrinsic::Group2D,
    &intrinsic::GroupBox,
    &intrinsic::IllegalCastException,
    &intrinsic::InvalidParentException,
    &intrinsic::KeyChainException,
    &intrinsic::KeyNotFoundException,
    &intrinsic::Line,
    &intrinsic::listBinder,
    &intrinsic::Listbox,
    &intrinsic::ListColumn,
    &intrinsic::listDataNotificationReceiver,
    &intrinsic::listDataNotifier,
    &intrinsic::listDataProvider,
    &intrinsic::ListInterface,
    &intrinsic::listSelectionNotificationReceiver,
    &intrinsic::listSelectionNotifier,
    &intrinsic::MDIWindow,
    &intrinsic::MemoryBlock,
    &intrinsic::MenuBar,
    &intrinsic::MenuItem,
    &intrinsic::MouseCursor,
    &intrinsic::Movie,
    &intrinsic::MoviePlayer,
    &intrinsic::NilObjectException,
    &intrinsic::NoOpenTransportException,
    &intrinsic::NotePlayer,
    &intrinsic::Object,
    &intrinsic::Object2D,
    &intrinsic::ObjectCursor,
    &intrinsic::OLEContainer,
    &intrinsic::OLEException,
    &intrinsic::OLEObject,
    &intrinsic::OpenDialog,
    &intrinsic::OutOfBoundsException,
    &intrinsic::OutOfMemoryException,
    &intrinsic::Oval,
    &intrinsic::OvalShape,
    &intrinsic::PagePanel,
    &intrinsic::Picture,
    &intrinsic::PixmapShape,
    &intrinsic::PopupMenu,
    &intrinsic::PrefsMenuItem,
    &intrinsic::PrinterSetup,
    &intrinsic::ProgressBar,
    &intrinsic::PushButton,
    &intrinsic::QuitMenuItem,
    &intrinsic::RadioButton,
    &intrinsic::Random,
    &intrinsic::QUILDatabase,
    &intrinsic::RecordSet,
    &intrinsic::Rectangle,
    &intrinsic::RectControl,
    &intrinsic::RectShape,
    &intrinsic::RegistryAccessErrorException,
    &intrinsic::RegistryItem,
    &intrinsic::ResourceFork,
    &intrinsic::RGBSurface,
    &intrinsic::RoundRectangle,
    &intrinsic::RoundRectShape,
    &intrinsic::Runtime,
    &intrinsic::RuntimeException,
    &intrinsic::SaveAsDialog,
    &intrinsic::Screen,
    &intrinsic::ScrollableCursor,
    &intrinsic::ScrollBar,
    &intrinsic::SelectFolderDialog,
    &intrinsic::Semaphore,
    &intrinsic::Serial,
    &intrinsic::SerialPort,
    &intrinsic::ServerSocket,
    &intrinsic::ServiceNotAvailableException,
    &intrinsic::Slider,
    &intrinsic::Socket,
    &intrinsic::SocketCore,
    &intrinsic::Sound,
    &intrinsic::stackOverflowException,
    &intrinsic::StaticText,
    &intrinsic::stringBinder,
    &intrinsic::StringInterface,
    &intrinsic::StringProvider,
    &intrinsic::StringShape,
    &intrinsic::StyledText,
    &intrinsic::StyledTextPrinter,
    &intrinsic::TabPanel,
    &intrinsic::TCPSocket,
    &intrinsic::TextConverter,
    &intrinsic::TextEncoding,
    &intrinsic::TextInputStream,
    &intrinsic::TextOutputStream,
    &intrinsic::Thread,
    &intrinsic::ThreadAlreadyRunningException,
    &intrinsic::Timer,
    &intrinsic::tupleInterface,
    &intrinsic::typeMismatchException,
    &intrinsic::UDPSocket,
    &intrinsic::UnsupportedFormatException,
    &intrinsic::Variant,
    &intrinsic::VirtualVolume,
    &intrinsic::Window,
    &intrinsic::SysCheckBoxAction,
    &intrinsic::SysRadioButtonAction,
    &intrinsic::SysListboxAction,
    &intrinsic::syspopupRowTag,
    &intrinsic::listSelectionProvider,
    &intrinsic::listColumnValueProvider,
    &intrinsic::MoviePlayerAction,
    &intrinsic::DataControlAction,
};

const Table<MethodEntry>* const kGlobalFunctionTables[] = {
    &kMassPropertyGlobalFunctions,
    &kEndOfLineGlobalFunctions,
    &kFileGlobalFunctions,
    &kMessageBoxGlobalFunctions,
};

enum class State { NotStarted, Registering, Done };
State g_state = State::NotStarted;

void SetUpAll() {
  for (ObjectDefinition* d : kDefinitions) SetUpDefinition(*d);
}

void RegisterAll() {
  for (ObjectDefinition* d : kDefinitions)
    if (d->description->visibility == Visibility::Registered) RegisterDefinition(*d);
  for (const Table<MethodEntry>* functions : kGlobalFunctionTables) RegisterGlobalFunctions(*functions);
}

// The classes the runtime raises itself exist before any image code runs.
void CreateRaisedExceptionClasses() {
  SetRaisedExceptionClass(RaisedException::NilObject, ClassOf(intrinsic::NilObjectException));
  SetRaisedExceptionClass(RaisedException::IllegalCast, ClassOf(intrinsic::IllegalCastException));
  SetRaisedExceptionClass(RaisedException::OutOfBounds, ClassOf(intrinsic::OutOfBoundsException));
}

}  // namespace

void RegisterIntrinsicClasses() {
  if (g_state != State::NotStarted) return;
  g_state = State::Registering;
  SetUpAll();
  RegisterAll();
  g_state = State::Done;
  CreateRaisedExceptionClasses();
}

Table<ObjectDefinition*> IntrinsicDefinitions() { return kDefinitions; }

}  // namespace ql
