// The end-to-end tests, or with "--demo DIR" one scripted session in DIR
// (which holds rinban2.exe and list.txt): generate, save table.txt, a
// screenshot of every page and of the confirmation box, then close.
// "--tables DIR..." writes table.html in each DIR (rinban2.exe, list.txt and
// its settings there) for the browser test, tests/e2e/browsers.py.
#include <cstdio>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "harness.h"
#include "window/control_ids.h"

namespace {

using namespace rinban;
using namespace rinban::e2e;

int RunDemo(const std::wstring& folder) {
  try {
    App app(folder, L"" RINBAN_EXE);
    app.Click(id::Button1);
    std::printf("status: %s\n", Utf8(app.Text(id::StaticText5)).c_str());
    const Box saved = app.ClickForBox(id::Button3);
    std::printf("save: %s\n", Utf8(saved.text).c_str());
    app.Screenshot(folder + L"\\box.bmp", saved.hwnd);
    app.Answer(saved);
    for (int page = 0; page < 4; ++page) {
      app.ShowPage(page);
      const std::wstring name = L"page" + std::to_wstring(page + 1) + L".bmp";
      app.Screenshot(folder + L"\\" + name);
      std::printf("screenshot of page %d\n", page + 1);
    }
    app.ShowPage(0);
    Require(app.Close(), "the window did not close on WM_CLOSE");
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "demo failed: %s\n", e.what());
    return 1;
  }
}

int RunTables(int count, char** folders) {
  try {
    for (int i = 0; i < count; ++i) {
      App app(Wide(folders[i]), L"" RINBAN_EXE);
      app.Click(id::Button1);
      app.ShowPage(3);
      const std::wstring saved = app.ClickForMessage(id::Button4);
      Require(saved == L"\"table.html\"に保存しました。",
              "table.html not written: " + Utf8(saved));
      Require(app.Close(), "the window did not close on WM_CLOSE");
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "tables failed: %s\n", e.what());
    return 1;
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) return RunDemo(Wide(argv[2]));
  if (argc >= 3 && std::strcmp(argv[1], "--tables") == 0) return RunTables(argc - 2, argv + 2);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
