// Drives the real rinban2.exe from outside, as a user would: finds its
// controls by ID, clicks, reads texts back, answers its message boxes and
// takes screenshots. Every wait is bounded; a failure throws Failure with a
// message that says what was expected.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <thread>
#include <unordered_map>
#include <vector>

#include "../common/win_support.h"
#include "platform/encoding.h"

namespace rinban::e2e {

struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// CP932 bytes to UTF-16, and UTF-16 to UTF-8 for readable failure messages.
inline std::wstring Wide(std::string_view cp932) { return ToWide(cp932); }
inline std::string Utf8(std::wstring_view text) { return Utf8FromWide(text); }

// Throws Failure(what) unless ok.
void Require(bool ok, const std::string& what);

// How often a wait looks again (25 ms unless set); the timing tool, whose
// figures are such waits, looks every millisecond.
void SetPollInterval(DWORD ms);

// Folder beside this driver exe.
std::wstring DriverFolder();
#ifdef RINBAN_ARTIFACTS
// A file the tests leave for a person to look at (screenshots), in a folder
// beside the driver made on first use.
inline std::wstring Artifact(std::wstring_view name) {
  const std::wstring folder = DriverFolder() + L"\\" + L"" RINBAN_ARTIFACTS;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(name);
}
#endif

// A fresh folder under the temp path, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }
  std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

 private:
  std::wstring path_;
};

void WriteBytes(const std::wstring& path, std::string_view bytes);
// The names in folder, sorted, without "." and "..".
std::vector<std::wstring> FileNames(const std::wstring& folder);
// A copy of exe, a file name beside this driver, put into folder.
void CopyExeTo(const std::wstring& folder, std::wstring_view exe);

// Another program's handle on a file, with no sharing, for as long as it lives.
class Lock {
 public:
  explicit Lock(const std::wstring& path);
  ~Lock() { CloseHandle(h_); }
  Lock(const Lock&) = delete;
  Lock& operator=(const Lock&) = delete;

 private:
  HANDLE h_;
};
std::optional<std::string> ReadBytes(const std::wstring& path);

using testing_support::ClipboardBytes;

// Real input through the X server, as a person gives it: xdotool (a Unix
// program, started through Wine) with args, e.g. "key ctrl+Tab"; returns
// once xdotool has sent it, not once the program has taken it.
void XInput(const std::string& args);

// A modal box of the program: its own message box (text in MessageText, no
// icon) or the platform's error box (static texts, an icon).
struct Box {
  HWND hwnd = nullptr;
  bool isMessage = false;  // the program's own message box
  bool hasIcon = false;
  std::wstring text;       // message text, or the error box's static texts joined by '\n'
};

class App {
 public:
  static constexpr DWORD kWaitMs = 5000;
  // A program still laying out a 10 MB line answers late on a busy machine;
  // not treated as hung, since that is only silence for 5 s.
  static constexpr DWORD kAnswerWaitMs = 30000;

  // Starts folder\exeName with folder as working directory and waits for the
  // main window "rinban 2.0".
  App(const std::wstring& folder, const std::wstring& exeName);
  ~App();  // Close(), then TerminateProcess if it has not gone
  App(const App&) = delete;
  App& operator=(const App&) = delete;

  HWND Main() const { return main_; }
  HANDLE Process() const { return process_.hProcess; }
  HWND Control(int id);
  std::wstring Text(int id);
  std::wstring Text(HWND hwnd);
  bool Enabled(int id);
  bool Visible(int id);
  bool Checked(int id);
  void SetText(int id, std::wstring_view text);

  // Clicks a button and waits until its handler has finished; fails when a
  // box opens instead.
  void Click(int id);
  // The same with a longer wait, for handlers that take long (huge lists).
  void ClickWithin(int id, DWORD ms);
  // Clicks a button and waits up to ms for the box its handler opens; the box
  // is left open.
  Box ClickForBox(int id, DWORD ms = kWaitMs);
  // The same for handlers that take long (huge lists), the box answered with OK.
  Box ClickForBoxWithin(int id, DWORD ms);
  // The message box's text after a click, the box answered with OK.
  std::wstring ClickForMessage(int id);
  // The error box's texts after a click, the box answered with OK.
  std::wstring ClickForError(int id);
  void Answer(const Box& box);

  // Clicks a control with the mouse (posted, so a modal dialog cannot block
  // the driver) and returns the new top-level window it opens.
  HWND MouseClickForDialog(int id);
  // Presses the dialog's button (IDOK, IDCANCEL) and waits until it has gone.
  void CloseDialog(HWND dialog, int button);

  // Drop-down lists.
  int ItemCount(int id);
  int Selected(int id);
  std::wstring Item(int id, int index);
  // Selects as the user does: the selection, then CBN_SELCHANGE to the parent.
  void Choose(int id, int index);

  // List views; cells are read through a buffer inside the program.
  int Rows(int id);
  std::wstring Cell(int id, int row, int column);

  std::wstring TabCaption(int index);
  // Notebook page 0..3, through the tab row as a click would.
  void ShowPage(int page);

  // Every window inside the main window.
  std::vector<HWND> Windows();
  // The program's keyboard focus.
  HWND Focus();
  // Waits until the program has taken what it was sent.
  void Settle();
  // A message to a window of the program, answered within ms.
  LRESULT Send(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms = kAnswerWaitMs);

  // The visible box of the program, if any.
  std::optional<Box> FindBox();

  // What a move to a monitor of density dpi sends the main window, with the
  // suggested rectangle where the window is.
  void MoveToDensity(int dpi);

  // 24-bit BMP of the client area of window (the main window by default)
  // as it is on the screen.
  void Screenshot(const std::wstring& bmpPath, HWND window = nullptr);

  // WM_CLOSE; returns whether the program ended by itself within the wait.
  bool Close();
  // The program's exit code once it has ended, within ms.
  std::optional<DWORD> ExitCode(DWORD ms = 0);

 private:
  void WaitForMainWindow();
  Box Describe(HWND box);
  void StartClick(int id, DWORD ms);
  bool WaitClickDone(DWORD ms);
  void JoinClick();
  HWND TabRow();

  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  std::unordered_map<int, HWND> controls_;
  std::thread clicker_;
  HANDLE clickDone_ = nullptr;
  HANDLE job_ = nullptr;
};

// A fresh folder holding a copy of the exe (the settings file sits beside
// it) and, when given, list.txt; the program runs there.
class Workspace {
 public:
  // exe: a file name beside this driver, or a full path.
  explicit Workspace(std::wstring_view exe, std::optional<std::string_view> list = std::nullopt);
  std::unique_ptr<App> Start() const { return std::make_unique<App>(folder_.Path(), exeName_); }
  std::wstring File(std::wstring_view name) const { return folder_.File(name); }
  bool Exists(std::wstring_view name) const {
    return GetFileAttributesW(File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
  }
  void Write(std::wstring_view name, std::string_view bytes) const { WriteBytes(File(name), bytes); }
  std::optional<std::string> Read(std::wstring_view name) const { return ReadBytes(File(name)); }

 private:
  TempFolder folder_;
  std::wstring exeName_;
};

}  // namespace rinban::e2e
