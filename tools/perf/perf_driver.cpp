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

#include "../../tests/e2e/harness.h"
#include "perf.h"
#include "platform/encoding.h"
#include "window/control_ids.h"

namespace {

using namespace rinban::perf;
using rinban::e2e::App;
using rinban::e2e::Box;
namespace id = rinban::id;

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

// Minutes for N = 2000 when other work shares the machine.
constexpr DWORD kLongWaitMs = 900000;

// A click whose handler ends in the program's message box: the time until the
// box shows, then the box is answered.
double TimeToBox(App& app, int button) {
  const auto start = Clock::now();
  const Box box = app.ClickForBox(button, kLongWaitMs);
  const double ms = MsSince(start);
  app.Answer(box);
  return ms;
}

// Selects index in a combo as the user does, and waits for the handler and
// the repaint it causes.
double TimeSelection(App& app, int combo, int index) {
  const auto start = Clock::now();
  app.Choose(combo, index);
  RedrawWindow(app.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
  return MsSince(start);
}

Row Measure(const std::wstring& exe, int n) {
  Row row;
  row.n = n;
  // A copy of the exe in a fresh folder, so no settings file is beside it.
  const rinban::e2e::Workspace ws(exe, MemberList(n));
  const auto started = Clock::now();
  const auto running = ws.Start();
  row.startMs = MsSince(started);
  App& app = *running;
  app.Settle();

  {
    ScreenWatch watch(app.Control(id::ProgressBar1));
    const auto start = Clock::now();
    app.Send(app.Control(id::Button1), BM_CLICK, 0, 0, kLongWaitMs);
    row.generateMs = MsSince(start);
    RedrawWindow(app.Main(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    watch.Stop();
    row.stillMs = watch.LongestStillMs();
  }
  rinban::e2e::Require(!app.FindBox(), "the generate click opened a box");

  // Page 2 and page 3 hold the two list views; selections work on hidden
  // pages as well, so time them as they are.
  row.memberMs = TimeSelection(app, id::ComboBox1, app.ItemCount(id::ComboBox1) / 2);
  row.roundMs = TimeSelection(app, id::ComboBox3, app.ItemCount(id::ComboBox3) / 2);

  row.copyMs = TimeToBox(app, id::Button2);
  const std::string copied = rinban::e2e::ClipboardBytes(CF_TEXT).value_or("");
  row.saveMs = TimeToBox(app, id::Button3);
  const std::string saved = ws.Read(L"table.txt").value_or("");
  row.listingBytes = saved.size();
  const LRESULT memoChars = app.Send(app.Control(id::Memo1), WM_GETTEXTLENGTH, 0, 0);
  const auto savedChars = static_cast<LRESULT>(rinban::WideLength(saved));
  row.copyMatchesSave = !saved.empty() && copied == saved && memoChars == savedChars;

  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(app.Process(), &memory, sizeof memory);
  row.peakMb = static_cast<double>(memory.PeakWorkingSetSize) / (1024.0 * 1024.0);
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
  rinban::e2e::SetPollInterval(1);
  for (int i = 2; i < argc; ++i) {
    Row r;
    try {
      r = Measure(full, _wtoi(argv[i]));
    } catch (const rinban::e2e::Failure& e) {
      std::fprintf(stderr, "perf_driver: %s\n", e.what());
      return 2;
    }
    std::printf("%6d %9.0f %11.0f %9.0f %9.1f %9.1f %9.0f %9.0f %10zu %8.1f %s\n", r.n, r.startMs,
                r.generateMs, r.stillMs, r.memberMs, r.roundMs, r.copyMs, r.saveMs, r.listingBytes, r.peakMb,
                r.copyMatchesSave ? "ok" : "MISMATCH");
    std::fflush(stdout);
  }
  return 0;
}
