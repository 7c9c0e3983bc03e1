// Times the real rinban2.exe from outside on lists of N names: start-up to a
// shown window, the generate click, a member and a round selection, copy and
// save, and the program's peak working set. Also watches the progress bar on
// the screen during the generate click and reports the longest stretch in
// which it did not visibly change.
//
//   perf_driver EXE N [N ...]
//   perf_driver --edit N [N ...]   (the memo's control alone, in this process)
//
// Not a test: figures depend on the machine. scripts/measure.sh runs it.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "perf.h"
#include "platform/encoding.h"
#include "window/control_ids.h"

namespace {

using namespace rinban::perf;

std::string ReadFileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char chunk[1 << 16];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

std::wstring TitleOf(HWND hwnd) {
  wchar_t title[64] = {};
  GetWindowTextW(hwnd, title, 64);
  return title;
}

// The visible top-level window of pid with this title.
HWND FindTopLevel(DWORD pid, const wchar_t* title, HWND except = nullptr) {
  struct Search {
    DWORD pid;
    const wchar_t* title;
    HWND except;
    HWND found;
  } search{pid, title, except, nullptr};
  EnumWindows(
      [](HWND hwnd, LPARAM arg) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(arg);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && hwnd != s->except && IsWindowVisible(hwnd) && TitleOf(hwnd) == s->title) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND ControlById(HWND main, int id) {
  struct Search {
    int id;
    HWND found;
  } search{id, nullptr};
  EnumChildWindows(
      main,
      [](HWND hwnd, LPARAM arg) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(arg);
        if (GetDlgCtrlID(hwnd) == s->id) {
          s->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  if (!search.found) Fail("no control " + std::to_string(id));
  return search.found;
}

LRESULT Send(HWND hwnd, UINT message, WPARAM w, LPARAM l, UINT timeoutMs = 120000) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, message, w, l, SMTO_NORMAL, timeoutMs, &result))
    Fail("no answer to message " + std::to_string(message));
  return static_cast<LRESULT>(result);
}

// Watches a screen rectangle from a thread of its own and records the
// longest time between two visible changes.
class ScreenWatch {
 public:
  explicit ScreenWatch(HWND control) {
    GetWindowRect(control, &rect_);
    thread_ = std::thread([this] { Run(); });
  }
  ~ScreenWatch() { Stop(); }
  void Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
  }
  double LongestStillMs() const { return longest_; }
  int Changes() const { return changes_; }

 private:
  void Run() {
    const int width = rect_.right - rect_.left;
    const int height = rect_.bottom - rect_.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    std::vector<unsigned> last;
    Clock::time_point lastChange = Clock::now();
    while (!stop_) {
      BitBlt(memory, 0, 0, width, height, screen, rect_.left, rect_.top, SRCCOPY);
      GdiFlush();
      const auto* pixels = static_cast<const unsigned*>(bits);
      std::vector<unsigned> now(pixels, pixels + static_cast<size_t>(width) * height);
      if (now != last) {
        if (!last.empty()) ++changes_;
        last.swap(now);
        lastChange = Clock::now();
      }
      longest_ = std::max(longest_, MsSince(lastChange));
      Sleep(10);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
  }

  RECT rect_{};
  std::thread thread_;
  std::atomic<bool> stop_{false};
  double longest_ = 0;
  int changes_ = 0;
};

struct Row {
  int n = 0;
  double startMs = 0, generateMs = 0, stillMs = 0, memberMs = 0, roundMs = 0, copyMs = 0, saveMs = 0;
  size_t listingBytes = 0;
  double peakMb = 0;
  bool copyMatchesSave = false;
};

// Posts a click whose handler ends in the program's message box; the time
// until the box shows, then the box is answered.
double TimeToBox(DWORD pid, HWND main, HWND button) {
  const auto start = Clock::now();
  PostMessageW(button, BM_CLICK, 0, 0);
  HWND box = nullptr;
  while (!(box = FindTopLevel(pid, L"rinban 2", main))) {
    if (MsSince(start) > 120000) Fail("no message box after a click");
    Sleep(1);
  }
  const double ms = MsSince(start);
  PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  while (IsWindow(box) && IsWindowVisible(box)) Sleep(5);
  Send(main, WM_NULL, 0, 0);
  return ms;
}

// Selects index in a combo as the user does, and waits for the handler and
// the repaint it causes.
double TimeSelection(HWND main, HWND combo, int index) {
  const auto start = Clock::now();
  Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE),
       reinterpret_cast<LPARAM>(combo));
  RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return MsSince(start);
}

std::string ClipboardText() {
  std::string text;
  for (int tries = 0; tries < 50 && !OpenClipboard(nullptr); ++tries) Sleep(10);
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const char* bytes = static_cast<const char*>(GlobalLock(data))) {
      text = bytes;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

Row Measure(const std::wstring& exe, int n) {
  Row row;
  row.n = n;
  const std::wstring folder = TempFolderFor(n);
  CreateDirectoryW(folder.c_str(), nullptr);
  WriteFileBytes(folder + L"\\list.txt", MemberList(n));
  DeleteFileW((folder + L"\\table.txt").c_str());

  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const auto started = Clock::now();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &process))
    Fail("cannot start the program");
  HWND main = nullptr;
  while (!(main = FindTopLevel(process.dwProcessId, L"rinban 2.0"))) {
    if (MsSince(started) > 30000) Fail("no main window");
    Sleep(1);
  }
  row.startMs = MsSince(started);
  Send(main, WM_NULL, 0, 0);

  {
    ScreenWatch watch(ControlById(main, rinban::id::ProgressBar1));
    const auto start = Clock::now();
    // Minutes for N = 2000 when other work shares the machine.
    Send(ControlById(main, rinban::id::Button1), BM_CLICK, 0, 0, 900000);
    row.generateMs = MsSince(start);
    RedrawWindow(main, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    watch.Stop();
    row.stillMs = watch.LongestStillMs();
  }
  if (FindTopLevel(process.dwProcessId, L"rinban 2", main)) Fail("the generate click opened a box");

  HWND members = ControlById(main, rinban::id::ComboBox1);
  HWND rounds = ControlById(main, rinban::id::ComboBox3);
  const int memberCount = static_cast<int>(Send(members, CB_GETCOUNT, 0, 0));
  const int roundCount = static_cast<int>(Send(rounds, CB_GETCOUNT, 0, 0));
  // Page 2 and page 3 hold the two list views; selections work on hidden
  // pages as well, so time them as they are.
  row.memberMs = TimeSelection(main, members, memberCount / 2);
  row.roundMs = TimeSelection(main, rounds, roundCount / 2);

  row.copyMs = TimeToBox(process.dwProcessId, main, ControlById(main, rinban::id::Button2));
  const std::string copied = ClipboardText();
  row.saveMs = TimeToBox(process.dwProcessId, main, ControlById(main, rinban::id::Button3));
  const std::string saved = ReadFileBytes(folder + L"\\table.txt");
  row.listingBytes = saved.size();
  const LRESULT memoChars = Send(ControlById(main, rinban::id::Memo1), WM_GETTEXTLENGTH, 0, 0);
  const auto savedChars = static_cast<LRESULT>(rinban::WideLength(saved));
  row.copyMatchesSave = !saved.empty() && copied == saved && memoChars == savedChars;

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  if (HANDLE query = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, process.dwProcessId)) {
    GetProcessMemoryInfo(query, &memory, sizeof memory);
    CloseHandle(query);
  }
  row.peakMb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);

  PostMessageW(main, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  DeleteFileW((folder + L"\\list.txt").c_str());
  DeleteFileW((folder + L"\\table.txt").c_str());
  RemoveDirectoryW(folder.c_str());
  return row;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc >= 3 && std::wstring(argv[1]) == L"--edit") {
    for (int i = 2; i < argc; ++i) rinban::perf::RunEditProbe(_wtoi(argv[i]));
    return 0;
  }
  if (argc < 3) {
    std::fprintf(stderr, "usage: perf_driver EXE N [N ...]\n       perf_driver --edit N [N ...]\n");
    return 2;
  }
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(argv[1], MAX_PATH, full, nullptr);
  std::printf("%6s %9s %11s %9s %9s %9s %9s %9s %10s %8s %s\n", "N", "start ms", "generate ms",
              "still ms", "member ms", "round ms", "copy ms", "save ms", "listing B", "peak MB", "check");
  for (int i = 2; i < argc; ++i) {
    const Row r = Measure(full, _wtoi(argv[i]));
    std::printf("%6d %9.0f %11.0f %9.0f %9.1f %9.1f %9.0f %9.0f %10zu %8.1f %s\n", r.n, r.startMs,
                r.generateMs, r.stillMs, r.memberMs, r.roundMs, r.copyMs, r.saveMs, r.listingBytes, r.peakMb,
                r.copyMatchesSave ? "ok" : "MISMATCH");
    std::fflush(stdout);
  }
  return 0;
}
