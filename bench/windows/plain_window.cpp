// The benchmark's baseline: a program written directly against user32 that
// opens a window of the same size with the same 30 standard buttons (same
// grid, same caption, the same control font) and, at its first WM_PAINT,
// writes the performance counter to paint.txt and ends.
#include <windows.h>

#include <stdio.h>

namespace {

bool g_painted = false;

void WriteCounter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  char digits[32];
  const int n = snprintf(digits, sizeof digits, "%lld", static_cast<long long>(now.QuadPart));
  HANDLE file = CreateFileA("paint.txt", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  WriteFile(file, digits, static_cast<DWORD>(n), &written, nullptr);
  CloseHandle(file);
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(window, &ps);
      EndPaint(window, &ps);
      if (!g_painted) {
        g_painted = true;
        WriteCounter();
        PostMessageW(window, WM_CLOSE, 0, 0);
      }
      return 0;
    }
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  WNDCLASSW c{};
  c.style = CS_OWNDC;
  c.lpfnWndProc = Procedure;
  c.hInstance = instance;
  c.lpszClassName = L"PlainWindow";
  RegisterClassW(&c);
  RECT r{0, 0, 320, 320};
  AdjustWindowRect(&r, WS_CAPTION, FALSE);
  HWND window = CreateWindowExW(0, L"PlainWindow", L"Bench", WS_CAPTION, 100, 100, r.right - r.left,
                                r.bottom - r.top, nullptr, nullptr, instance, nullptr);
  HFONT font = CreateFontA(-12, 0, 0, 0, 400, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "MS Sans Serif");
  for (int i = 0; i < 30; ++i) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"Button", WS_CHILD | WS_VISIBLE, 10 + (i % 3) * 100, 10 + (i / 3) * 30,
                                  90, 24, window, nullptr, instance, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
  ShowWindow(window, SW_SHOWNORMAL);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  DeleteObject(font);
  return 0;
}
