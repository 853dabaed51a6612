// The Titrix benchmark, all figures in one run, each the median of RUNS:
//   titrix_bench TITRIX_EXE PLAIN_EXE FOLDER [RUNS]
// FOLDER holds elements.txt; both programs start there (prefs.txt removed
// before every start, so each starts as on its first day).
// - start: from CreateProcess to the main window shown and the program idle
//   (WaitForInputIdle: its queue empty after the first paint), titrix.exe
//   against the plain user32 program with the same controls;
// - working set of the idle program (and its peak), the same two;
// - a 30-character formula (17 symbols) computed and shown: a Calculate
//   press sent to the button (BM_CLICK returns once the calculation
//   returned), and the same for "C" alone;
// - "C1000000" in mode 0 the same way, while a second thread measures how
//   long the window takes to answer a message (its longest wait).
#include <windows.h>

#include <psapi.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER c;
  QueryPerformanceCounter(&c);
  return c.QuadPart * 1000.0 / frequency;
}

double Median(std::vector<double> v) {
  if (v.empty()) return -1;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

struct Found {
  DWORD process;
  HWND window;
};

// The visible top-level window of a process.
HWND MainWindowOf(DWORD process) {
  Found found{process, nullptr};
  EnumWindows(
      [](HWND h, LPARAM l) -> BOOL {
        auto* f = reinterpret_cast<Found*>(l);
        DWORD owner = 0;
        GetWindowThreadProcessId(h, &owner);
        if (owner != f->process || !IsWindowVisible(h) || GetWindow(h, GW_OWNER)) return TRUE;
        f->window = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found.window;
}

// A child window by class and position in the main window's client area.
struct Wanted {
  const wchar_t* className;
  POINT at;
  HWND top;
  HWND found;
};

HWND ChildAt(HWND top, const wchar_t* className, int x, int y) {
  Wanted w{className, {x, y}, top, nullptr};
  EnumChildWindows(
      top,
      [](HWND h, LPARAM l) -> BOOL {
        auto* w = reinterpret_cast<Wanted*>(l);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (_wcsicmp(name, w->className) != 0 || !IsWindowVisible(h)) return TRUE;
        RECT r{};
        GetWindowRect(h, &r);
        MapWindowPoints(nullptr, w->top, reinterpret_cast<POINT*>(&r), 2);
        if (r.left != w->at.x || r.top != w->at.y) return TRUE;
        w->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&w));
  return w.found;
}

struct Started {
  PROCESS_INFORMATION pi{};
  HWND window = nullptr;
  double startMs = -1;
};

Started Start(const std::string& exe, const std::string& folder) {
  DeleteFileA((folder + "\\prefs.txt").c_str());
  Started s;
  std::string command = "\"" + exe + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  const double t0 = Now();
  if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si, &s.pi))
    return s;
  WaitForInputIdle(s.pi.hProcess, 30000);
  for (int i = 0; i < 3000 && !s.window; ++i) {
    s.window = MainWindowOf(s.pi.dwProcessId);
    if (!s.window) Sleep(1);
  }
  if (s.window) s.startMs = Now() - t0;
  return s;
}

void Stop(Started& s) {
  if (s.window) PostMessageW(s.window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(s.pi.hProcess, 20000) != WAIT_OBJECT_0) TerminateProcess(s.pi.hProcess, 1);
  CloseHandle(s.pi.hThread);
  CloseHandle(s.pi.hProcess);
}

double MiB(SIZE_T bytes) { return bytes / (1024.0 * 1024.0); }

void SetText(HWND field, const wchar_t* text) {
  SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// Milliseconds until Calculate returned, and the longest the window took
// to answer a message meanwhile (-1 when not watched).
struct Calculation {
  double ms = -1, longestAnswerMs = -1;
};

Calculation Calculate(HWND window, HWND button, bool watch) {
  std::atomic<bool> done{false};
  double longest = 0;
  std::thread watcher;
  if (watch)
    watcher = std::thread([&] {
      while (!done) {
        const double t = Now();
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        longest = std::max(longest, Now() - t);
        Sleep(5);
      }
    });
  const double t0 = Now();
  SendMessageW(button, BM_CLICK, 0, 0);
  Calculation c;
  c.ms = Now() - t0;
  done = true;
  if (watch) {
    watcher.join();
    c.longestAnswerMs = longest;
  }
  return c;
}

std::wstring FieldText(HWND field) {
  // WM_GETTEXT itself: GetWindowText does not ask another process's window.
  wchar_t text[128] = {};
  SendMessageW(field, WM_GETTEXT, 128, reinterpret_cast<LPARAM>(text));
  return text;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    fprintf(stderr, "usage: titrix_bench TITRIX_EXE PLAIN_EXE FOLDER [RUNS]\n");
    return 2;
  }
  const std::string titrix = argv[1], plain = argv[2], folder = argv[3];
  const int runs = argc > 4 ? atoi(argv[4]) : 10;
  std::vector<double> startT, startP, wsT, wsP, peakT, peakP, formula, one, big, answer;
  for (const std::string* exe : {&titrix, &plain}) {  // warm the file cache for both
    Started warm = Start(*exe, folder);
    Stop(warm);
  }
  for (int i = 0; i < runs; ++i) {
    Started t = Start(titrix, folder);
    Started p = Start(plain, folder);
    if (!t.window || !p.window) {
      fprintf(stderr, "run %d: a program showed no window\n", i + 1);
      return 1;
    }
    PROCESS_MEMORY_COUNTERS mt{}, mp{};
    GetProcessMemoryInfo(t.pi.hProcess, &mt, sizeof mt);
    GetProcessMemoryInfo(p.pi.hProcess, &mp, sizeof mp);
    startT.push_back(t.startMs);
    startP.push_back(p.startMs);
    wsT.push_back(MiB(mt.WorkingSetSize));
    wsP.push_back(MiB(mp.WorkingSetSize));
    peakT.push_back(MiB(mt.PeakWorkingSetSize));
    peakP.push_back(MiB(mp.PeakWorkingSetSize));
    Stop(p);
    // The solution page as designed: formula at (116, 108), concentration
    // and volume fields below it, Calculate at (178, 261).
    HWND formulaField = ChildAt(t.window, L"RichEdit20W", 116, 108);
    HWND conc = ChildAt(t.window, L"RichEdit20W", 116, 144);
    HWND vol = ChildAt(t.window, L"RichEdit20W", 116, 179);
    HWND mass = ChildAt(t.window, L"RichEdit20W", 116, 230);
    HWND button = ChildAt(t.window, L"Button", 178, 261);
    if (!formulaField || !conc || !vol || !mass || !button) {
      fprintf(stderr, "run %d: the solution page's controls were not found\n", i + 1);
      Stop(t);
      return 1;
    }
    SetText(conc, L"1");
    SetText(vol, L"1");
    SetText(formulaField, L"C6H12O6NaClH2SO4KMnO4CaCO3HNO3");
    const Calculation small = Calculate(t.window, button, false);
    const std::wstring smallResult = FieldText(mass);
    // One symbol: the press, its round trips and one result written, to
    // tell the 16 further symbols' work from the rest.
    SetText(formulaField, L"C");
    const Calculation single = Calculate(t.window, button, false);
    SetText(formulaField, L"C1000000");
    const Calculation large = Calculate(t.window, button, true);
    const std::wstring largeResult = FieldText(mass);
    Stop(t);
    formula.push_back(small.ms);
    one.push_back(single.ms);
    big.push_back(large.ms);
    answer.push_back(large.longestAnswerMs);
    printf("run %2d  start %7.1f / %7.1f ms  working set %5.1f / %5.1f MiB (peak %5.1f / %5.1f)  "
           "30 chars %6.2f ms (%ls)  C1000000 %7.1f ms (%ls), longest answer %5.1f ms\n",
           i + 1, t.startMs, p.startMs, wsT.back(), wsP.back(), peakT.back(), peakP.back(), small.ms,
           smallResult.c_str(), large.ms, largeResult.c_str(), large.longestAnswerMs);
  }
  printf("\nmedians of %d runs (titrix.exe / plain program)\n", runs);
  printf("start to the main window drawn  %7.1f / %7.1f ms   ratio %.3f\n", Median(startT), Median(startP),
         Median(startT) / Median(startP));
  printf("working set                     %7.1f / %7.1f MiB  difference %+.1f MiB\n", Median(wsT), Median(wsP),
         Median(wsT) - Median(wsP));
  printf("peak working set                %7.1f / %7.1f MiB  difference %+.1f MiB\n", Median(peakT), Median(peakP),
         Median(peakT) - Median(peakP));
  printf("30-character formula            %7.2f ms (a Calculate press, message round trips included)\n",
         Median(formula));
  printf("  the same press for \"C\"           %7.2f ms, so %.3f ms for each of the 16 further symbols\n", Median(one),
         (Median(formula) - Median(one)) / 16);
  printf("C1000000, mode 0                %7.1f ms, longest answer meanwhile %.1f ms\n", Median(big), Median(answer));
  return 0;
}
