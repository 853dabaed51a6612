// Entry points: windows (class Window), the control framework (classes
// Control and RectControl) and control references. Property accessors take
// (object, param) and (object, param, value); a window or control without
// its native counterpart stores what it is given and reads it back.
#pragma once

#include "quillon/entrypoints/common.h"

// --- Window: creation, controls, menu handlers ---
// A control or menu-handler object of class `cls` that belongs to `window`
// (one reference for the caller).
QL_ENTRY RuntimeObject* WindowAllocateObject(RuntimeObject* window, RuntimeClass* cls);
// `_AddControl`: enters the control under its class name ("Name$3" for
// member 3 of a control array); the window keeps one reference.
QL_ENTRY void WindowAddControl(RuntimeObject* window, RuntimeObject* control);
// `_AddMenuHandler`: enters a menu handler under a menu item's name.
QL_ENTRY void WindowAddMenuHandler(RuntimeObject* window, RuntimeString* name, RuntimeObject* handler);
// The constructor `Window()`: fires the controls' Open events, then the window's.
QL_ENTRY void WindowDefaultConstructor(RuntimeObject* window);
// The implicit instance of a window class (one reference), or nil when none
// exists yet; the next window of that class created becomes it.
QL_ENTRY RuntimeObject* RuntimeGetImplicitWindow(RuntimeString* className);

// --- Window methods ---
QL_ENTRY void RuntimeShowWindow(RuntimeObject* window);
QL_ENTRY void RuntimeShowWithinWindow(RuntimeObject* window, RuntimeObject* parent, int32_t facing);
QL_ENTRY void RuntimeShowModalWithinWindow(RuntimeObject* window, RuntimeObject* parent);
QL_ENTRY void RuntimeHideWindow(RuntimeObject* window);
// Close: CancelClose, then (unless it returned True) the close sequence.
QL_ENTRY void RuntimeCloseWindow(RuntimeObject* window);
QL_ENTRY void RuntimeShowModal(RuntimeObject* window);
QL_ENTRY void formRefresh(RuntimeObject* window);
QL_ENTRY void formRefreshRect(RuntimeObject* window, int32_t x, int32_t y, int32_t width, int32_t height);
QL_ENTRY RuntimeObject* formNewDragItem(RuntimeObject* window, int32_t x, int32_t y, int32_t width, int32_t height);
QL_ENTRY void formAcceptTextDrop(RuntimeObject* window);
QL_ENTRY void formAcceptPictureDrop(RuntimeObject* window);
QL_ENTRY void formAcceptFileDrop(RuntimeObject* window, RuntimeString* type);
QL_ENTRY void formAcceptMacDataDrop(RuntimeObject* window, RuntimeString* type);
QL_ENTRY void formSetFocus(RuntimeObject* window);
QL_ENTRY void formDrawInto(RuntimeObject* window, RuntimeObject* graphics, int32_t x, int32_t y);
// UpdateNow: nothing to do on this platform.
QL_ENTRY void WindowForceUpdateFrontBuffer(RuntimeObject* window);

// --- Control references (keys compare without regard to case) ---
// The control under `key`, without a new reference, or nil.
QL_ENTRY RuntimeObject* RuntimeControlFetch(RuntimeObject* window, RuntimeString* key);
// Control(key): the same with one reference.
QL_ENTRY RuntimeObject* RuntimeControlReference(RuntimeObject* window, RuntimeString* key);
// Control(name, index): the control under name + "$" + index, one reference.
QL_ENTRY RuntimeObject* RuntimeControlArrayItemReference(RuntimeObject* window, RuntimeString* name, int32_t index);
// Control(i): the i-th control (0-based, in the order they were added), one
// reference, or nil.
QL_ENTRY RuntimeObject* windowControl(RuntimeObject* window, int32_t index);

// --- Window properties ---
QL_ENTRY bool WindowVisibleGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void WindowVisibleSetter(RuntimeObject* window, uint32_t param, bool visible);
// param 0 to 3: Left, Top, Width, Height of the content area, screen pixels.
QL_ENTRY int32_t windowPosGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowPosSetter(RuntimeObject* window, uint32_t param, int32_t value);
QL_ENTRY int32_t windowPlacementGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowPlacementSetter(RuntimeObject* window, uint32_t param, int32_t placement);
QL_ENTRY RuntimeString* windowTitleGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowTitleSetter(RuntimeObject* window, uint32_t param, RuntimeString* title);
QL_ENTRY bool windowFullScreenGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowFullScreenSetter(RuntimeObject* window, uint32_t param, bool fullScreen);
QL_ENTRY bool windowMenusVisibleGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowMenusVisibleSetter(RuntimeObject* window, uint32_t param, bool visible);
QL_ENTRY bool windowCloseBoxGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowCloseBoxSetter(RuntimeObject* window, uint32_t param, bool closeBox);
QL_ENTRY bool windowGrowIconGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowGrowIconSetter(RuntimeObject* window, uint32_t param, bool growIcon);
QL_ENTRY bool windowZoomIconGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowZoomIconSetter(RuntimeObject* window, uint32_t param, bool zoomIcon);
QL_ENTRY int32_t windowFrameGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowFrameSetter(RuntimeObject* window, uint32_t param, int32_t frame);
QL_ENTRY bool windowLiveResizeGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowLiveResizeSetter(RuntimeObject* window, uint32_t param, bool liveResize);
QL_ENTRY RuntimeObject* windowBackdropGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowBackdropSetter(RuntimeObject* window, uint32_t param, RuntimeObject* picture);
QL_ENTRY RuntimeObject* windowGraphicsGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY bool windowHasBackColorGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowHasBackColorSetter(RuntimeObject* window, uint32_t param, bool hasBackColor);
QL_ENTRY int32_t windowBackColorGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY void windowBackColorSetter(RuntimeObject* window, uint32_t param, int32_t color);
QL_ENTRY void windowBalloonHelpSetter(RuntimeObject* window, uint32_t param, RuntimeString* text);
QL_ENTRY void formMouseCursorSetter(RuntimeObject* window, uint32_t param, RuntimeObject* cursor);
QL_ENTRY int32_t windowControlCountGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY int32_t windowMouseXGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY int32_t windowMouseYGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY int32_t windowWindowPtrGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY int32_t windowHWNDGetter(RuntimeObject* window, uint32_t param);
QL_ENTRY RuntimeObject* WindowDockItemGetter(RuntimeObject* window, uint32_t param);

// --- Control ---
QL_ENTRY void ControlTabPanelIndexSetter(RuntimeObject* control, uint32_t param, int32_t page);
QL_ENTRY int32_t controlMouseXGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY int32_t controlMouseYGetter(RuntimeObject* control, uint32_t param);
// The control's window, one reference.
QL_ENTRY RuntimeObject* controlWindowGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY int32_t controlMacControlHandleGetter(RuntimeObject* control, uint32_t param);
// Close: Close event, then the pane and the panes inside it go.
QL_ENTRY void ControlClose(RuntimeObject* control);

// --- RectControl ---
QL_ENTRY void controlHelpTagSetter(RuntimeObject* control, uint32_t param, RuntimeString* text);
QL_ENTRY void controlBalloonHelpSetter(RuntimeObject* control, uint32_t param, RuntimeString* text);
QL_ENTRY void controlDisabledBalloonHelpSetter(RuntimeObject* control, uint32_t param, RuntimeString* text);
QL_ENTRY void controlMouseCursorSetter(RuntimeObject* control, uint32_t param, RuntimeObject* cursor);
QL_ENTRY bool controlVisibleGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void ControlVisibleSetter(RuntimeObject* control, uint32_t param, bool visible);
// param 0 to 3: Left, Top, Width, Height in the window's client coordinates.
QL_ENTRY int32_t ctlPosGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void ctlPosSetter(RuntimeObject* control, uint32_t param, int32_t value);
QL_ENTRY bool controlEnabledGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlEnabledSetter(RuntimeObject* control, uint32_t param, bool enabled);
QL_ENTRY bool controlActiveGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY bool controlAutoDeactivateGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlAutoDeactivateSetter(RuntimeObject* control, uint32_t param, bool autoDeactivate);
QL_ENTRY bool controlLockLeftGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlLockLeftSetter(RuntimeObject* control, uint32_t param, bool locked);
QL_ENTRY bool controlLockTopGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlLockTopSetter(RuntimeObject* control, uint32_t param, bool locked);
QL_ENTRY bool controlLockRightGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlLockRightSetter(RuntimeObject* control, uint32_t param, bool locked);
QL_ENTRY bool controlLockBottomGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void controlLockBottomSetter(RuntimeObject* control, uint32_t param, bool locked);
// The container control (one reference), or nil.
QL_ENTRY RuntimeObject* ControlParentGetter(RuntimeObject* control, uint32_t param);
QL_ENTRY void ControlParentSetter(RuntimeObject* control, uint32_t param, RuntimeObject* parent);
// Design-time: the name of the container control, matched among the
// controls already added.
QL_ENTRY void ControlInitialParentSetter(RuntimeObject* control, uint32_t param, RuntimeString* name);

// --- RectControl methods ---
// The constructor `RectControl()`: does nothing.
QL_ENTRY void RectControlDefaultConstructor(RuntimeObject* control);
QL_ENTRY void RuntimeControlRefresh(RuntimeObject* control);
QL_ENTRY void RuntimeControlRefreshRect(RuntimeObject* control, int32_t x, int32_t y, int32_t width, int32_t height);
QL_ENTRY void RuntimeSetFocus(RuntimeObject* control);
QL_ENTRY RuntimeObject* controlNewDragItem(RuntimeObject* control, int32_t x, int32_t y, int32_t width, int32_t height);
// The control's `_AddMenuHandler(name, handler)`.
QL_ENTRY void ControlAddMenuHandler(RuntimeObject* control, RuntimeString* name, RuntimeObject* handler);
