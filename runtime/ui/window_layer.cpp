#include "ui/window_layer.h"

#include "core/array.h"
#include "quillon/entrypoints/objects.h"
#include "startup/imageoptions.h"
#include "startup/mainloop.h"
#include "startup/runtimeinit.h"
#include "ui/keys.h"
#include "ui/native.h"
#include "ui/pane.h"
#include "ui/view_window.h"
#include "ui/window.h"
#include "ui/window_messages.h"

namespace ql::ui {
namespace {

constexpr TextStyle kDefaultTextStyle{"System", 10, false, false, false};
constexpr int32_t kSystemColourIndex[] = {15, 16, 20, 5, 8};  // COLOR_BTNFACE, _BTNSHADOW, _BTNHIGHLIGHT, _WINDOW, _WINDOWTEXT

uint32_t g_standardColours[static_cast<int>(StandardColour::Count)];
void (*g_deferredUpdates)() = nullptr;

uint32_t RgbOf(uint32_t colourRef) { return ((colourRef & 0xFF) << 16) | (colourRef & 0xFF00) | ((colourRef >> 16) & 0xFF); }

void SetUpColoursAndTextStyle() {
  for (int i = 0; i < static_cast<int>(StandardColour::Count); ++i)
    g_standardColours[i] = RgbOf(native::SystemColour(kSystemColourIndex[i]));
}

// --- Main loop hooks ---

bool PreTranslateKey(const LoopMessage& m) {
  const uint32_t modifiers = native::ModifiersNow();
  if (modifiers & kModifierAlt) native::ShowKeyboardCues(m.window);
  const bool extended = (static_cast<uintptr_t>(m.lParam) >> 24) & 1;
  return PreTranslateKeyDown(native::ViewContaining(m.window), static_cast<uint32_t>(m.wParam), extended, modifiers);
}

RuntimeViewWindow* TrackingView() {
  for (RuntimeViewWindow* v = FirstOpenWindow(); v; v = v->NextOpen())
    if (v->Tracking()) return v;
  return nullptr;
}

bool MouseCaptured() { return TrackingView() != nullptr; }

void TrackMouseNow() {
  RuntimeViewWindow* view = TrackingView();
  if (!view) return;
  const bool right = false;
  TrackMouse(view, native::CursorPosition(), native::MouseButtonDown(right));
}

void RunDeferredUpdates() {
  if (g_deferredUpdates) g_deferredUpdates();
}

void FocusedPaneIdle() {
  if (Pane* pane = ApplicationFocusPane()) {
    PaneLock lock(pane);
    pane->Idle();
  }
}

bool AnyWindowOpen() { return FirstOpenWindow() != nullptr; }

bool CloseFirstOpenWindow() {
  RuntimeViewWindow* view = FirstOpenWindow();
  if (!view) return false;
  if (RuntimeObject* window = view->WindowRef()) CloseWindowView(window);
  else view->LeaveOpenList();
  return true;
}

// The runtime windows in the system's order, each held.
void CollectDocumentWindow(native::Handle h, void* context) {
  if (RuntimeViewWindow* view = native::ViewOf(h))
    if (RuntimeObject* w = view->WindowRef()) {
      RuntimeLockObject(w);
      static_cast<Array<RuntimeObject*>*>(context)->Append(w);
    }
}

bool AnyDocumentWindowCancelsClose() {
  Array<RuntimeObject*> windows;
  native::ForEachTopLevel(CollectDocumentWindow, &windows);
  bool cancelled = false;
  for (RuntimeObject* w : windows) {
    if (!cancelled && AsWindow(w)->view && WindowCancelsClose(w)) cancelled = true;
    RuntimeUnlockObject(w);
  }
  return cancelled;
}

void CloseDocumentWindows() {
  Array<RuntimeObject*> windows;
  native::ForEachTopLevel(CollectDocumentWindow, &windows);
  for (RuntimeObject* w : windows) {
    CloseWindowView(w);
    RuntimeUnlockObject(w);
  }
}

bool MdiMode() { return native::MdiClient() != nullptr; }

bool TranslateMdiAccelerator(const LoopMessage& m) {
  return native::TranslateMdiAccelerator(m.window, m.message, m.wParam, m.lParam);
}

// RuntimeInit in MDI mode: the frame, titled with the image's MDI title.
void CreateMdiFrame() { native::CreateMdiFrame(CurrentImageOptions().mdiTitle.get()); }

}  // namespace

void InstallWindowLayer() {
  InitialisationSlots slots = CurrentInitialisationSlots();
  slots.registerWindowClasses = native::RegisterWindowClasses;
  slots.setUpColoursAndTextStyle = SetUpColoursAndTextStyle;
  slots.createMdiFrame = CreateMdiFrame;
  InstallInitialisationSlots(slots);

  WindowLayerHooks hooks = CurrentWindowLayerHooks();
  hooks.idlePass = RunIdlePass;
  hooks.preTranslateKey = PreTranslateKey;
  hooks.trackMouse = TrackMouseNow;
  hooks.mouseCaptured = MouseCaptured;
  hooks.runDeferredUpdates = RunDeferredUpdates;
  hooks.focusedPaneIdle = FocusedPaneIdle;
  hooks.anyWindowOpen = AnyWindowOpen;
  hooks.closeFirstOpenWindow = CloseFirstOpenWindow;
  hooks.anyDocumentWindowCancelsClose = AnyDocumentWindowCancelsClose;
  hooks.closeDocumentWindows = CloseDocumentWindows;
  hooks.mdiMode = MdiMode;
  hooks.translateMdiAccelerator = TranslateMdiAccelerator;
  hooks.showPendingMdiFrame = native::ShowPendingMdiFrame;
  InstallWindowLayerHooks(hooks);
}

void SetDeferredUpdateRunner(void (*run)()) { g_deferredUpdates = run; }

const TextStyle& DefaultTextStyle() { return kDefaultTextStyle; }

uint32_t StandardColourOf(StandardColour colour) { return g_standardColours[static_cast<int>(colour)]; }

}  // namespace ql::ui
