// The end-to-end tests, or with "--demo DIR" one scripted session in DIR
// (which holds rinban2.exe and list.txt): generate, save table.txt, a
// screenshot of every page and of the confirmation box, then close.
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

}  // namespace

namespace rinban::e2e {

std::wstring Artifact(std::wstring_view name) {
  const std::wstring folder = DriverFolder() + L"\\" + L"" RINBAN_ARTIFACTS;
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder + L"\\" + std::wstring(name);
}

}  // namespace rinban::e2e

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--demo") == 0) return RunDemo(Wide(argv[2]));
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
