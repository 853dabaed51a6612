// The window classes of the runtime's windows and panes ("QLWindow",
// "QL_Pane", "QL_CanvasPane") and their window procedures. Win32 only.
#pragma once

#include <windows.h>

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

// The MDI frame and its client, nil outside MDI mode.
HWND MdiFrameWindow();
HWND MdiClientWindow();

}  // namespace ql::ui::win32
