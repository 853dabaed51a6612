// Every intrinsic class definition of the runtime, registered by
// RegisterIntrinsicClasses. Each is defined in the file of the subsystem
// that owns the class; the ones the runtime knows only by name are in
// named_classes.cpp and interface_classes.cpp until their subsystem defines
// them. Identifiers are the class names without '_' and '$'.
#pragma once

#include "core/object_definition.h"

namespace ql {

// Sets up every definition, registers the registered ones (their link names
// enter the entry-point registry), registers the global functions and
// creates the classes of the exceptions the runtime raises. Idempotent;
// class lookups call it on first use.
void RegisterIntrinsicClasses();

// The definitions in registration order, then the auxiliary ones.
Table<ObjectDefinition*> IntrinsicDefinitions();

// Tables of intrinsic global functions, each owned by its subsystem.
extern const Table<MethodEntry> kMassPropertyGlobalFunctions;
extern const Table<MethodEntry> kEndOfLineGlobalFunctions;
extern const Table<MethodEntry> kFileGlobalFunctions;
extern const Table<MethodEntry> kMessageBoxGlobalFunctions;

namespace intrinsic {

// Registered under their names.
extern ObjectDefinition BitwiseClass;  // _BitwiseClass
extern ObjectDefinition Encodings;  // _Encodings
extern ObjectDefinition Keyboard;  // _Keyboard
extern ObjectDefinition MenuBarInstaller;  // _MenuBarInstaller
extern ObjectDefinition MenuHandler;  // _MenuHandler
extern ObjectDefinition PaneChild;  // _PaneChild
extern ObjectDefinition QuicktimeInstallStatus;  // _QuicktimeInstallStatus
extern ObjectDefinition StyledTextRange;  // _StyledTextRange
extern ObjectDefinition SystemClass;  // _SystemClass
extern ObjectDefinition actionBinder;
extern ObjectDefinition actionNotificationReceiver;
extern ObjectDefinition actionSource;
extern ObjectDefinition AppleEvent;
extern ObjectDefinition AppleEventDescList;
extern ObjectDefinition AppleEventObjectSpecifier;
extern ObjectDefinition AppleEventRecord;
extern ObjectDefinition AppleEventTarget;
extern ObjectDefinition AppleEventTemplate;
extern ObjectDefinition AppleMenuItem;
extern ObjectDefinition Application;
extern ObjectDefinition ArcShape;
extern ObjectDefinition BinaryStream;
extern ObjectDefinition bindingInterface;
extern ObjectDefinition bindingPartInterface;
extern ObjectDefinition BooleanProvider;
extern ObjectDefinition Canvas;
extern ObjectDefinition CheckBox;
extern ObjectDefinition Clipboard;
extern ObjectDefinition Collection;
extern ObjectDefinition CollectionElement;
extern ObjectDefinition ContextualMenu;
extern ObjectDefinition Control;
extern ObjectDefinition CriticalSection;
extern ObjectDefinition CurveShape;
extern ObjectDefinition DataAvailableProvider;
extern ObjectDefinition Database;
extern ObjectDefinition DatabaseCursor;
extern ObjectDefinition DatabaseCursorField;
extern ObjectDefinition DatabaseField;
extern ObjectDefinition DatabaseQuery;
extern ObjectDefinition DatabaseRecord;
extern ObjectDefinition DataControl;
extern ObjectDefinition Datagram;
extern ObjectDefinition dataNotificationReceiver;
extern ObjectDefinition dataNotifier;
extern ObjectDefinition Date;
extern ObjectDefinition Dictionary;
extern ObjectDefinition DockItem;
extern ObjectDefinition DragItem;
extern ObjectDefinition EditField;
extern ObjectDefinition enablingBinder;
extern ObjectDefinition EndException;
extern ObjectDefinition EndOfLine;
extern ObjectDefinition FigureShape;
extern ObjectDefinition FolderItem;
extern ObjectDefinition FolderItemDialog;
extern ObjectDefinition Graphics;
extern ObjectDefinition Group2D;
extern ObjectDefinition GroupBox;
extern ObjectDefinition IllegalCastException;
extern ObjectDefinition InvalidParentException;
extern ObjectDefinition KeyChainException;
extern ObjectDefinition KeyNotFoundException;
extern ObjectDefinition Line;
extern ObjectDefinition listBinder;
extern ObjectDefinition Listbox;
extern ObjectDefinition ListColumn;
extern ObjectDefinition listDataNotificationReceiver;
extern ObjectDefinition listDataNotifier;
extern ObjectDefinition listDataProvider;
extern ObjectDefinition ListInterface;
extern ObjectDefinition listSelectionNotificationReceiver;
extern ObjectDefinition listSelectionNotifier;
extern ObjectDefinition MDIWindow;
extern ObjectDefinition MemoryBlock;
extern ObjectDefinition MenuBar;
extern ObjectDefinition MenuItem;
extern ObjectDefinition MouseCursor;
extern ObjectDefinition Movie;
extern ObjectDefinition MoviePlayer;
extern ObjectDefinition NilObjectException;
extern ObjectDefinition NoOpenTransportException;
extern ObjectDefinition NotePlayer;
extern ObjectDefinition Object;
extern ObjectDefinition Object2D;
extern ObjectDefinition ObjectCursor;
extern ObjectDefinition OLEContainer;
extern ObjectDefinition OLEException;
extern ObjectDefinition OLEObject;
extern ObjectDefinition OpenDialog;
extern ObjectDefinition OutOfBoundsException;
extern ObjectDefinition OutOfMemoryException;
extern ObjectDefinition Oval;
extern ObjectDefinition OvalShape;
extern ObjectDefinition PagePanel;
extern ObjectDefinition Picture;
extern ObjectDefinition PixmapShape;
extern ObjectDefinition PopupMenu;
extern ObjectDefinition PrefsMenuItem;
extern ObjectDefinition PrinterSetup;
extern ObjectDefinition ProgressBar;
extern ObjectDefinition PushButton;
extern ObjectDefinition QuitMenuItem;
extern ObjectDefinition RadioButton;
extern ObjectDefinition Random;
extern ObjectDefinition QUILDatabase;
extern ObjectDefinition RecordSet;
extern ObjectDefinition Rectangle;
extern ObjectDefinition RectControl;
extern ObjectDefinition RectShape;
extern ObjectDefinition RegistryAccessErrorException;
extern ObjectDefinition RegistryItem;
extern ObjectDefinition ResourceFork;
extern ObjectDefinition RGBSurface;
extern ObjectDefinition RoundRectangle;
extern ObjectDefinition RoundRectShape;
extern ObjectDefinition Runtime;
extern ObjectDefinition RuntimeException;
extern ObjectDefinition SaveAsDialog;
extern ObjectDefinition Screen;
extern ObjectDefinition ScrollableCursor;
extern ObjectDefinition ScrollBar;
extern ObjectDefinition SelectFolderDialog;
extern ObjectDefinition Semaphore;
extern ObjectDefinition Serial;
extern ObjectDefinition SerialPort;
extern ObjectDefinition ServerSocket;
extern ObjectDefinition ServiceNotAvailableException;
extern ObjectDefinition Slider;
extern ObjectDefinition Socket;
extern ObjectDefinition SocketCore;
extern ObjectDefinition Sound;
extern ObjectDefinition stackOverflowException;
extern ObjectDefinition StaticText;
extern ObjectDefinition stringBinder;
extern ObjectDefinition StringInterface;
extern ObjectDefinition StringProvider;
extern ObjectDefinition StringShape;
extern ObjectDefinition StyledText;
extern ObjectDefinition StyledTextPrinter;
extern ObjectDefinition TabPanel;
extern ObjectDefinition TCPSocket;
extern ObjectDefinition TextConverter;
extern ObjectDefinition TextEncoding;
extern ObjectDefinition TextInputStream;
extern ObjectDefinition TextOutputStream;
extern ObjectDefinition Thread;
extern ObjectDefinition ThreadAlreadyRunningException;
extern ObjectDefinition Timer;
extern ObjectDefinition tupleInterface;
extern ObjectDefinition typeMismatchException;
extern ObjectDefinition UDPSocket;
extern ObjectDefinition UnsupportedFormatException;
extern ObjectDefinition Variant;
extern ObjectDefinition VirtualVolume;
extern ObjectDefinition Window;
// Built but never entered into the definition map.
extern ObjectDefinition SysCheckBoxAction;  // Sys$CheckBoxAction
extern ObjectDefinition SysRadioButtonAction;  // Sys$RadioButtonAction
extern ObjectDefinition SysListboxAction;  // Sys$ListboxAction
extern ObjectDefinition syspopupRowTag;  // sys$popupRowTag
extern ObjectDefinition listSelectionProvider;
extern ObjectDefinition listColumnValueProvider;
extern ObjectDefinition MoviePlayerAction;
extern ObjectDefinition DataControlAction;
}  // namespace intrinsic

}  // namespace ql
