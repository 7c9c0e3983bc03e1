// Program entry: the application title, Form1 and the message loop.
#include <windows.h>

#include "rinban_main.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  return rinban::RunApplication(instance, show);
}
