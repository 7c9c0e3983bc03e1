// Program entry: Form1 with the real dialogs, shown as the launcher asks,
// and the message loop until it closes. The application title "rinban 2"
// (msg::kAppTitle) is the title of every message and error box.
#include <windows.h>

#include "rinban_main.h"
#include "window/dialogs.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  // Users start the program from a Downloads folder: any library loaded from
  // here on comes from the system folder, never from beside the exe.
  SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  rinban::Win32Dialogs dialogs;
  rinban::TForm1 form(instance, dialogs);
  if (!form.Create()) return 1;
  form.Show(show);
  return form.RunMessageLoop([](MSG& message) { return GetMessageW(&message, nullptr, 0, 0); });
}
