// The window classes of the runtime's windows and panes ("QLWindow",
// "QL_Pane", "QL_CanvasPane") and their window procedures. Win32 only.
#pragma once

#include <windows.h>

#include "quillon/abi.h"

namespace ql::ui::win32 {

// Registered once at runtime initialisation (with the W or A call as the NT
// flag says): no class cursor, no background brush, no class menu, one
// pointer of window extra bytes holding the view or the pane.
void RegisterWindowClasses();

bool IsViewWindow(HWND window);       // a "QLWindow"
bool IsDrawnPaneWindow(HWND window);  // a "QL_Pane" or "QL_CanvasPane"

// The procedures.
LRESULT CALLBACK ViewWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK PaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Replaces the procedure of a standard control made for a pane.
LRESULT CALLBACK StandardControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// MDI mode: "QL_MDIFRAME" and "QL_MDICHILD" registered, the frame made with
// its MDI client and marked to be shown; false when it could not be made.
bool CreateMdiFrame(RuntimeString* title);
// The MDI frame and its client, nil outside MDI mode.
HWND MdiFrameWindow();
HWND MdiClientWindow();
// The frame is marked visible but not shown yet: shows it.
void ShowPendingMdiFrame();
ATOM MdiChildClassAtom();  // 0 outside MDI mode
LRESULT CALLBACK MdiChildProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace ql::ui::win32
