// The table positions of the intrinsic classes that compiled classes copy:
// property indices (what mass-property data addresses), event slots (where a
// subclass stores its handlers) and the counts a subclass passes to
// RuntimeNewClass. They are the binary contract with the runtime's class
// tables; only the classes and members images use are listed.
#pragma once

#include <stdint.h>

namespace quillon {

// --- Control and RectControl: the first 25 properties of every control ---
namespace ControlProperty {
enum : uint16_t {
  Name = 0,
  Index = 1,
  TabPanelIndex = 2,
  MouseX = 3,
  MouseY = 4,
  Window = 5,
  Handle = 6,
  HelpTag = 7,
  BalloonHelp = 8,
  DisabledBalloonHelp = 9,
  MouseCursor = 10,
  Visible = 11,
  Left = 12,
  Top = 13,
  Width = 14,
  Height = 15,
  Enabled = 16,
  Active = 17,
  AutoDeactivate = 18,
  LockLeft = 19,
  LockTop = 20,
  LockRight = 21,
  LockBottom = 22,
  Parent = 23,
  InitialParent = 24,
  Count = 25,
};
}

namespace ControlEvent {
enum : int32_t { CreatePane = 0, Open = 1, Close = 2, MouseMove = 3, MouseEnter = 4, MouseExit = 5, DropObject = 6, Count = 7 };
}

namespace EditFieldProperty {
enum : uint16_t {
  Text = ControlProperty::Count,
  TextStyleData,
  Border,
  MultiLine,
  ReadOnly,
  Password,
  Styled,
  AcceptTabs,
  TextColor,
  BackColor,
  ScrollBarHorizontal,
  ScrollBarVertical,
  ScrollBar,
  TextFont,
  TextSize,
  Bold,
  Italic,
  Underline,
  SelStart,
  SelLength,
  SelText,
  LimitText,
  SelBold,
  SelUnderline,
  SelItalic,
  SelOutline,
  SelShadow,
  SelCondense,
  SelExtend,
  SelPlain,
  SelTextFont,
  SelTextSize,
  SelTextColor,
  LiveUpdate,
  UseFocusRing,
  DataSource,
  DataField,
  Alignment,
  SelAlignment,
  Count,
};
}
namespace EditFieldEvent {
enum : int32_t {
  KeyDown = ControlEvent::Count,
  GotFocus,
  LostFocus,
  MouseDown,
  MouseUp,
  SelChange,
  TextChange,
  EnableMenuItems,
  Count,
};
}

namespace PopupMenuProperty {
enum : uint16_t {
  TextFont = ControlProperty::Count,
  TextSize,
  Bold,
  Italic,
  Underline,
  ListCount,
  ListIndex,
  Text,
  InitialValue,
  DataSource,
  DataField,
  Count,
};
}
namespace PopupMenuEvent {
enum : int32_t { Change = ControlEvent::Count, MouseDown, MouseUp, GotFocus, LostFocus, Count };
}

namespace PushButtonProperty {
enum : uint16_t {
  Caption = ControlProperty::Count,
  Default,
  Cancel,
  TextFont,
  TextSize,
  Bold,
  Italic,
  Underline,
  Count,
};
}
namespace PushButtonEvent {
enum : int32_t { Action = ControlEvent::Count, MouseDown, MouseUp, GotFocus, LostFocus, Count };
}

namespace StaticTextProperty {
enum : uint16_t {
  Text = ControlProperty::Count,
  Caption,
  TextAlign,
  TextColor,
  TextFont,
  TextSize,
  Bold,
  Italic,
  Underline,
  MultiLine,
  DataSource,
  DataField,
  Count,
};
}
namespace StaticTextEvent {
enum : int32_t { AcceleratorKey = ControlEvent::Count, MouseDown, MouseDrag, MouseUp, Count };
}

namespace GroupBoxProperty {
enum : uint16_t { Caption = ControlProperty::Count, TextFont, TextSize, Bold, Italic, Underline, Count };
}
namespace GroupBoxEvent {
enum : int32_t { MouseDown = ControlEvent::Count, MouseDrag, MouseUp, Count };
}

// TabPanel derives from PagePanel; both declare Enabled and Value, and the
// tab panel's own are the ones to address.
namespace TabPanelProperty {
enum : uint16_t {
  PagePanelEnabled = ControlProperty::Count,
  PagePanelValue,
  PanelCount,
  Enabled,
  TabDefinition,
  Value,
  Facing,
  SmallTabs,
  TextFont,
  TextSize,
  Bold,
  Italic,
  Underline,
  Count,
};
}
namespace TabPanelEvent {
enum : int32_t {
  PagePanelChange = ControlEvent::Count,
  Change,
  GotFocus,
  LostFocus,
  MouseDown,
  MouseDrag,
  MouseUp,
  Count,
};
}

namespace ListboxProperty {
enum : uint16_t {
  TextFont = ControlProperty::Count,
  TextSize,
  Bold,
  Italic,
  Underline,
  ListCount,
  ListIndex,
  Text,
  ColumnCount,
  ColumnWidths,
  Hierarchical,
  LastIndex,
  EnableDrag,
  EnableDragReorder,
  SelectionType,
  SelCount,
  InitialValue,
  HasHeading,
  UseFocusRing,
  HeadingIndex,
  ScrollPosition,
  ScrollPositionX,
  ScrollBarHorizontal,
  ScrollBarVertical,
  DataSource,
  DataField,
  GridLinesHorizontal,
  GridLinesVertical,
  DefaultRowHeight,
  ActiveCell,
  SortedColumn,
  ColumnsResizable,
  Count,
};
}
// Listbox declares 24 events of its own after RectControl's.
namespace ListboxEvent {
enum : int32_t { Count = ControlEvent::Count + 24 };
}

// --- Window ---
namespace WindowProperty {
enum : uint16_t {
  Visible = 0,
  Left,
  Top,
  Width,
  Height,
  Placement,
  Title,
  FullScreen,
  MenuBarVisible,
  CloseBox,
  GrowIcon,
  ZoomIcon,
  Frame,
  Composite,
  LiveResize,
  Backdrop,
  Graphics,
  HasBackColor,
  BackColor,
  BalloonHelp,
  MinWidth,
  MinHeight,
  MaxWidth,
  MaxHeight,
  MacProcId,
  MouseCursor,
  ControlCount,
  FloaterProcess,
  MouseX,
  MouseY,
  MacWindowPtr,
  WinHWND,
  DockItem,
  MenuBar,
  Count,
};
}
namespace WindowEvent {
enum : int32_t {
  Layout = 0,
  CreateControls,
  SetupBindings,
  Open,
  Close,
  CancelClose,
  KeyDown,
  MouseMove,
  MouseEnter,
  MouseExit,
  Paint,
  MouseDown,
  MouseDrag,
  MouseUp,
  EnableMenuItems,
  Resized,
  Resizing,
  Moved,
  DropObject,
  Activate,
  Deactivate,
  Count,
};
}

// --- Application, menus ---
namespace ApplicationEvent {
enum : int32_t {
  Open = 0,
  Close,
  EnableMenuItems,
  NewDocument,
  OpenDocument,
  HandleAppleEvent,
  Activate,
  Deactivate,
  UnhandledException,
  Count,
};
}

namespace MenuHandlerEvent {
enum : int32_t { Action = 0, Count };
}

}  // namespace quillon
