#include "harness.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <vector>

#include "window/control_ids.h"

namespace rinban::e2e {
namespace {

constexpr DWORD kStartWaitMs = 15000;  // a cold Wine start is slow
constexpr DWORD kWaitMs = App::kWaitMs;
constexpr DWORD kAnswerWaitMs = App::kAnswerWaitMs;
DWORD pollMs = 25;
constexpr wchar_t kMainTitle[] = L"rinban 2.0";
constexpr wchar_t kBoxTitle[] = L"rinban 2";

std::string Hex(UINT value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "0x%X", value);
  return buf;
}

std::wstring ClassOf(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

std::wstring TitleOf(HWND hwnd) {
  wchar_t title[256] = {};
  GetWindowTextW(hwnd, title, 256);
  return title;
}

using testing_support::Descendants;

std::vector<HWND> TopLevelOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  EnumWindows(
      [](HWND hwnd, LPARAM arg) CALLBACK -> BOOL {
        auto* s = reinterpret_cast<Search*>(arg);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

template <class Pred>
bool WaitFor(DWORD ms, Pred done) {
  const ULONGLONG end = GetTickCount64() + ms;
  for (;;) {
    if (done()) return true;
    if (GetTickCount64() >= end) return false;
    Sleep(pollMs);
  }
}

// Memory inside the program, for messages whose pointers it must follow.
class RemoteBuffer {
 public:
  RemoteBuffer(HANDLE process, size_t size) : process_(process) {
    at_ = static_cast<char*>(
        VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    Require(at_ != nullptr, "VirtualAllocEx failed in the program");
  }
  ~RemoteBuffer() { VirtualFreeEx(process_, at_, 0, MEM_RELEASE); }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  char* At(size_t offset = 0) const { return at_ + offset; }
  void Write(size_t offset, const void* data, size_t size) {
    SIZE_T done = 0;
    Require(WriteProcessMemory(process_, at_ + offset, data, size, &done) && done == size,
            "WriteProcessMemory failed");
  }
  void Read(size_t offset, void* data, size_t size) {
    SIZE_T done = 0;
    Require(ReadProcessMemory(process_, at_ + offset, data, size, &done) && done == size,
            "ReadProcessMemory failed");
  }

 private:
  HANDLE process_;
  char* at_;
};

void RemoveTree(const std::wstring& path) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring child = path + L"\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveTree(child);
      else
        DeleteFileW(child.c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(path.c_str());
}

}  // namespace

void Require(bool ok, const std::string& what) {
  if (!ok) throw Failure(what);
}

void SetPollInterval(DWORD ms) { pollMs = ms; }

void XInput(const std::string& args) {
  // Wine starts a Unix program without a handle to wait on: it leaves a
  // marker file when done.
  static int serial = 0;
  const std::string marker =
      "/tmp/rinban-xinput-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
  std::wstring command = L"/bin/sh -c \"xdotool " + Wide(args) + L" && : >" + Wide(marker) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  Require(CreateProcessW(L"Z:\\bin\\sh", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                         &startup, &process),
          "cannot start /bin/sh for xdotool");
  if (process.hProcess) CloseHandle(process.hProcess);
  if (process.hThread) CloseHandle(process.hThread);
  std::wstring done = L"Z:" + Wide(marker);
  std::replace(done.begin(), done.end(), L'/', L'\\');
  Require(WaitFor(kWaitMs, [&] { return GetFileAttributesW(done.c_str()) != INVALID_FILE_ATTRIBUTES; }),
          "xdotool " + args + " did not finish (is xdotool installed?)");
  DeleteFileW(done.c_str());
}

std::wstring DriverFolder() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L"\\/"));
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"rinban-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
  if (!path_.empty() && path_.back() == L'\\') path_.pop_back();
  Require(CreateDirectoryW(path_.c_str(), nullptr), "cannot create " + Utf8(path_));
}

TempFolder::~TempFolder() { RemoveTree(path_); }

Workspace::Workspace(std::wstring_view exe, std::optional<std::string_view> list) {
  std::wstring from(exe);
  if (from.find_last_of(L"\\/") == std::wstring::npos) from = DriverFolder() + L"\\" + from;
  exeName_ = from.substr(from.find_last_of(L"\\/") + 1);
  Require(CopyFileW(from.c_str(), File(exeName_).c_str(), FALSE), "cannot copy " + Utf8(from));
  if (list) Write(L"list.txt", *list);
}

void WriteBytes(const std::wstring& path, std::string_view bytes) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  Require(file != INVALID_HANDLE_VALUE, "cannot create " + Utf8(path));
  DWORD written = 0;
  const BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  Require(ok && written == bytes.size(), "cannot write " + Utf8(path));
}

std::vector<std::wstring> FileNames(const std::wstring& folder) {
  std::vector<std::wstring> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") names.push_back(name);
  } while (FindNextFileW(find, &found));
  FindClose(find);
  std::sort(names.begin(), names.end());
  return names;
}

void CopyExeTo(const std::wstring& folder, std::wstring_view exe) {
  const std::wstring from = DriverFolder() + L"\\" + std::wstring(exe);
  Require(CopyFileW(from.c_str(), (folder + L"\\" + std::wstring(exe)).c_str(), FALSE),
          "cannot copy " + Utf8(from));
}

Lock::Lock(const std::wstring& path)
    : h_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                     FILE_ATTRIBUTE_NORMAL, nullptr)) {
  Require(h_ != INVALID_HANDLE_VALUE, "cannot lock " + Utf8(path));
}

std::optional<std::string> ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

App::App(const std::wstring& folder, const std::wstring& exeName) {
  const std::wstring exe = folder + L"\\" + exeName;
  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  // Wine under load has once refused a start from a deep folder (error 18)
  // that no rerun repeated: one more try before failing.
  bool started = false;
  for (int attempt = 0; attempt < 2 && !started; ++attempt) {
    if (attempt > 0) Sleep(500);
    started = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                             nullptr, folder.c_str(), &startup, &process_) != FALSE;
  }
  Require(started, "cannot start " + Utf8(exe) + " (error " + std::to_string(GetLastError()) + ")");
  // Should the driver itself die, closing the job ends the program too, so
  // no window is left behind holding the test runner's output.
  job_ = CreateJobObjectW(nullptr, nullptr);
  if (job_) {
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job_, process_.hProcess);
  }
  ResumeThread(process_.hThread);
  clickDone_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  try {
    WaitForMainWindow();
  } catch (...) {
    // No destructor runs for a half-built App: end the program here.
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kWaitMs);
    CloseHandle(clickDone_);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    if (job_) CloseHandle(job_);
    throw;
  }
}

void App::WaitForMainWindow() {
  WaitForInputIdle(process_.hProcess, kStartWaitMs);
  HWND stray = nullptr;
  const bool found = WaitFor(kStartWaitMs, [&] {
    for (HWND hwnd : TopLevelOf(process_.dwProcessId)) {
      const std::wstring title = TitleOf(hwnd);
      if (title == kMainTitle) {
        main_ = hwnd;
        return true;
      }
      if (title == kBoxTitle) stray = hwnd;
    }
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
  });
  if (!main_) {
    std::string why = found ? "the program ended before showing it"
                            : "none within " + std::to_string(kStartWaitMs) + " ms";
    if (stray) why += "; a box \"rinban 2\" is open: " + Utf8(Describe(stray).text);
    throw Failure("no main window titled \"rinban 2.0\": " + why);
  }
}

App::~App() {
  try {
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
      for (int i = 0; i < 3; ++i) {
        auto box = FindBox();
        if (!box) break;
        PostMessageW(box->hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        WaitFor(1000, [&] { return !IsWindowVisible(box->hwnd); });
      }
      Close();
    }
  } catch (const Failure&) {
  }
  if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
    TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, kWaitMs);
  }
  JoinClick();
  CloseHandle(clickDone_);
  CloseHandle(process_.hThread);
  CloseHandle(process_.hProcess);
  if (job_) CloseHandle(job_);
}

LRESULT App::Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms) {
  DWORD_PTR result = 0;
  Require(SendMessageTimeoutW(hwnd, message, wParam, lParam, SMTO_NORMAL, ms, &result) != 0,
          "the program did not answer message " + Hex(message) + " within " + std::to_string(ms) + " ms");
  return static_cast<LRESULT>(result);
}

void App::Settle() { Send(main_, WM_NULL, 0, 0); }

std::vector<HWND> App::Windows() { return Descendants(main_); }

HWND App::Focus() {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(main_, nullptr), &info);
  return info.hwndFocus;
}

HWND App::Control(int id) {
  auto it = controls_.find(id);
  if (it != controls_.end() && IsWindow(it->second)) return it->second;
  controls_.clear();
  for (HWND hwnd : Descendants(main_)) controls_.emplace(GetDlgCtrlID(hwnd), hwnd);
  it = controls_.find(id);
  Require(it != controls_.end(), "no control with id " + std::to_string(id) + " in the main window");
  return it->second;
}

std::wstring App::Text(HWND hwnd) {
  const LRESULT length = Send(hwnd, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(got));
  return text;
}

std::wstring App::Text(int id) { return Text(Control(id)); }
bool App::Enabled(int id) { return IsWindowEnabled(Control(id)) != FALSE; }
bool App::Visible(int id) { return IsWindowVisible(Control(id)) != FALSE; }
bool App::Checked(int id) { return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void App::SetText(int id, std::wstring_view text) {
  const std::wstring copy(text);
  Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()));
}

void App::StartClick(int id, DWORD ms) {
  HWND button = Control(id);
  Require(IsWindowEnabled(button), "control " + std::to_string(id) + " is disabled, cannot click it");
  JoinClick();
  ResetEvent(clickDone_);
  HANDLE done = clickDone_;
  // A handler that opens a modal box does not return until the box closes,
  // so the click is sent from a thread of its own.
  const DWORD answerMs = std::max(ms, kAnswerWaitMs);
  clicker_ = std::thread([button, done, answerMs] {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_NORMAL, answerMs, &ignored);
    SetEvent(done);
  });
}

bool App::WaitClickDone(DWORD ms) {
  if (!clicker_.joinable()) return true;
  if (WaitForSingleObject(clickDone_, ms) != WAIT_OBJECT_0) return false;
  clicker_.join();
  return true;
}

void App::JoinClick() {
  if (clicker_.joinable()) {
    WaitForSingleObject(clickDone_, 35000);
    clicker_.join();
  }
}

void App::Click(int id) { ClickWithin(id, kWaitMs); }

void App::ClickWithin(int id, DWORD ms) {
  StartClick(id, ms);
  std::optional<Box> box;
  const bool done = WaitFor(ms, [&] {
    if (WaitForSingleObject(clickDone_, 0) == WAIT_OBJECT_0) return true;
    box = FindBox();
    return box.has_value();
  });
  if (box) {
    const std::string text = Utf8(box->text);
    Answer(*box);
    throw Failure("control " + std::to_string(id) + " opened a box instead of finishing: \"" + text +
                  "\"");
  }
  Require(done, "the handler of control " + std::to_string(id) + " did not finish within " +
                    std::to_string(ms) + " ms");
  JoinClick();
}

Box App::ClickForBox(int id, DWORD ms) {
  StartClick(id, ms);
  std::optional<Box> box;
  const bool shown = WaitFor(ms, [&] {
    box = FindBox();
    return box.has_value() || WaitForSingleObject(clickDone_, 0) == WAIT_OBJECT_0;
  });
  if (!box) box = FindBox();  // the handler may have ended just as the box opened
  Require(box.has_value(), shown ? "control " + std::to_string(id) + " finished without a box"
                                 : "no box within " + std::to_string(ms) + " ms after clicking " +
                                       std::to_string(id));
  return *box;
}

Box App::ClickForBoxWithin(int id, DWORD ms) {
  const Box box = ClickForBox(id, ms);
  Answer(box);
  return box;
}

std::wstring App::ClickForMessage(int id) {
  Box box = ClickForBox(id);
  Answer(box);
  Require(box.isMessage, "expected the message box, got the error box: \"" + Utf8(box.text) + "\"");
  Require(!box.hasIcon, "the message box shows an icon");
  return box.text;
}

std::wstring App::ClickForError(int id) {
  Box box = ClickForBox(id);
  Answer(box);
  Require(!box.isMessage, "expected the error box, got the message box: \"" + Utf8(box.text) + "\"");
  Require(box.hasIcon, "the error box shows no icon");
  return box.text;
}

std::optional<Box> App::FindBox() {
  for (HWND hwnd : TopLevelOf(process_.dwProcessId))
    if (hwnd != main_ && TitleOf(hwnd) == kBoxTitle) return Describe(hwnd);
  return std::nullopt;
}

Box App::Describe(HWND hwnd) {
  Box box;
  box.hwnd = hwnd;
  for (HWND child : Descendants(hwnd)) {
    if (ClassOf(child) != L"Static") continue;
    if ((GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      box.hasIcon = true;
      continue;
    }
    const std::wstring text = Text(child);
    if (GetDlgCtrlID(child) == id::MessageText) {
      box.isMessage = true;
      box.text = text;
      return box;
    }
    if (!text.empty()) box.text += (box.text.empty() ? L"" : L"\n") + text;
  }
  return box;
}

void App::Answer(const Box& box) {
  HWND ok = GetDlgItem(box.hwnd, IDOK);
  if (box.isMessage) {
    Require(ok != nullptr, "the message box has no button with id IDOK");
    Require(Text(ok) == L"OK", "the message box's button reads \"" + Utf8(Text(ok)) + "\", not \"OK\"");
  }
  if (ok)
    PostMessageW(ok, BM_CLICK, 0, 0);
  else
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  auto gone = [&] { return !IsWindow(box.hwnd) || !IsWindowVisible(box.hwnd); };
  if (!WaitFor(2000, gone)) {
    PostMessageW(box.hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    Require(WaitFor(kWaitMs, gone), "the box did not close on OK");
  }
  Require(WaitClickDone(kWaitMs), "the handler did not finish after its box closed");
}

HWND App::MouseClickForDialog(int id) {
  HWND control = Control(id);
  PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
  PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
  HWND dialog = nullptr;
  WaitFor(kWaitMs, [&] {
    for (HWND hwnd : TopLevelOf(process_.dwProcessId))
      if (hwnd != main_) dialog = hwnd;
    return dialog != nullptr;
  });
  Require(dialog != nullptr, "no dialog within " + std::to_string(kWaitMs) +
                                 " ms after clicking control " + std::to_string(id));
  return dialog;
}

void App::CloseDialog(HWND dialog, int button) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
  Require(WaitFor(kWaitMs, [&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }),
          "the dialog did not close");
  Settle();
}

int App::ItemCount(int id) { return static_cast<int>(Send(Control(id), CB_GETCOUNT, 0, 0)); }
int App::Selected(int id) { return static_cast<int>(Send(Control(id), CB_GETCURSEL, 0, 0)); }

std::wstring App::Item(int id, int index) {
  HWND combo = Control(id);
  const LRESULT length = Send(combo, CB_GETLBTEXTLEN, index, 0);
  Require(length >= 0, "no item " + std::to_string(index) + " in control " + std::to_string(id));
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const LRESULT got = Send(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(got < 0 ? 0 : static_cast<size_t>(got));
  return text;
}

void App::Choose(int id, int index) {
  HWND combo = Control(id);
  Send(combo, CB_SETCURSEL, index, 0);
  Send(GetParent(combo), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

int App::Rows(int id) { return static_cast<int>(Send(Control(id), LVM_GETITEMCOUNT, 0, 0)); }

std::wstring App::Cell(int id, int row, int column) {
  constexpr size_t kChars = 1024;
  RemoteBuffer buffer(process_.hProcess, sizeof(LVITEMW) + kChars * sizeof(wchar_t));
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(LVITEMW)));
  item.cchTextMax = kChars;
  buffer.Write(0, &item, sizeof item);
  const LRESULT length =
      Send(Control(id), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(buffer.At()));
  std::wstring text(kChars, L'\0');
  buffer.Read(sizeof(LVITEMW), text.data(), kChars * sizeof(wchar_t));
  text.resize(static_cast<size_t>(length < 0 ? 0 : length));
  return text;
}

std::wstring App::TabCaption(int index) {
  constexpr size_t kChars = 256;
  RemoteBuffer buffer(process_.hProcess, sizeof(TCITEMW) + kChars * sizeof(wchar_t));
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = reinterpret_cast<wchar_t*>(buffer.At(sizeof(TCITEMW)));
  item.cchTextMax = kChars;
  buffer.Write(0, &item, sizeof item);
  Require(Send(TabRow(), TCM_GETITEMW, index, reinterpret_cast<LPARAM>(buffer.At())) != 0,
          "no tab " + std::to_string(index));
  std::wstring text(kChars, L'\0');
  buffer.Read(sizeof(TCITEMW), text.data(), kChars * sizeof(wchar_t));
  text.resize(text.find(L'\0'));
  return text;
}

HWND App::TabRow() {
  for (HWND hwnd : Descendants(main_))
    if (ClassOf(hwnd) == WC_TABCONTROLW) return hwnd;
  throw Failure("no SysTabControl32 in the main window");
}

void App::ShowPage(int page) {
  const int pageId = id::Page1 + page;
  HWND tab = TabRow();
  Send(tab, TCM_SETCURFOCUS, page, 0);
  Settle();
  if (!IsWindowVisible(Control(pageId))) {
    // Some tab rows move the focus without selecting: click the tab itself.
    RemoteBuffer buffer(process_.hProcess, sizeof(RECT));
    Require(Send(tab, TCM_GETITEMRECT, page, reinterpret_cast<LPARAM>(buffer.At())) != 0,
            "no tab " + std::to_string(page));
    RECT r{};
    buffer.Read(0, &r, sizeof r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(tab, WM_LBUTTONUP, 0, at);
    WaitFor(kWaitMs, [&] { return IsWindowVisible(Control(pageId)) != FALSE; });
  }
  Require(Send(tab, TCM_GETCURSEL, 0, 0) == page, "tab " + std::to_string(page) + " is not selected");
  Require(IsWindowVisible(Control(pageId)), "page " + std::to_string(page + 1) + " is not shown");
  for (int other = 0; other < 4; ++other)
    if (other != page)
      Require(!IsWindowVisible(Control(id::Page1 + other)),
              "page " + std::to_string(other + 1) + " is still shown with page " + std::to_string(page + 1));
}

void App::MoveToDensity(int dpi) {
  RECT suggested{};
  GetWindowRect(main_, &suggested);
  RemoteBuffer buffer(process_.hProcess, sizeof suggested);
  buffer.Write(0, &suggested, sizeof suggested);
  Send(main_, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(buffer.At()));
}

void App::Screenshot(const std::wstring& bmpPath, HWND window) {
  if (!window) window = main_;
  // The pointer where an earlier test left it would light up what it rests
  // on; in the screen's far corner it rests on nothing of ours.
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
  SetForegroundWindow(window);
  // Wine activates the window a moment later; until then no control draws
  // its focus, and the picture would depend on the timing.
  WaitFor(kWaitMs, [&] { return GetForegroundWindow() == GetAncestor(window, GA_ROOT); });
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  Sleep(300);
  Settle();
  Sleep(100);

  // The client area only: without a window manager nobody draws the frame.
  RECT r{};
  GetClientRect(window, &r);
  MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&r), 2);
  const int width = r.right - r.left, height = r.bottom - r.top;
  Require(width > 0 && height > 0, "the window has no area to capture");
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files are
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(memory, dib);
  const BOOL copied = BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
  GdiFlush();

  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  const DWORD imageSize = stride * static_cast<DWORD>(height);
  BITMAPFILEHEADER header{};
  header.bfType = 0x4D42;  // "BM"
  header.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  header.bfSize = header.bfOffBits + imageSize;
  std::string file(reinterpret_cast<const char*>(&header), sizeof header);
  file.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(BITMAPINFOHEADER));
  if (bits) file.append(static_cast<const char*>(bits), imageSize);

  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  Require(copied && bits, "could not copy the window from the screen");
  WriteBytes(bmpPath, file);
}

bool App::Close() {
  PostMessageW(main_, WM_CLOSE, 0, 0);
  return WaitForSingleObject(process_.hProcess, kWaitMs) == WAIT_OBJECT_0;
}

std::optional<DWORD> App::ExitCode(DWORD ms) {
  if (WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.hProcess, &code);
  return code;
}

}  // namespace rinban::e2e
