// The release as a user gets it: the zip unpacked by CTest's Package.Unpack
// into a folder whose path holds Japanese characters and a space, and the
// program started from there on the list it ships with.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "harness.h"
#include "text/messages.h"
#include "window/control_ids.h"

namespace rinban::e2e {
namespace {

std::wstring Unpacked() {
  return DriverFolder() + L"\\package-test\\配布 テスト\\" RINBAN_PACKAGE_NAME;
}

// One text of the exe's version record, in its Japanese block.
std::wstring VersionText(const std::wstring& exe, const wchar_t* field) {
  const DWORD size = GetFileVersionInfoSizeW(exe.c_str(), nullptr);
  std::vector<char> record(size);
  if (!size || !GetFileVersionInfoW(exe.c_str(), 0, size, record.data())) return L"<no record>";
  const std::wstring key = std::wstring(L"\\StringFileInfo\\041103A4\\") + field;
  wchar_t* text = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(record.data(), key.c_str(), reinterpret_cast<void**>(&text), &length))
    return L"<no " + std::wstring(field) + L">";
  return length ? std::wstring(text) : std::wstring();
}

TEST(PackageE2E, TheUnpackedProgramWorksWhereItWasUnpacked) {
  const std::wstring folder = Unpacked();
  const std::wstring exe = folder + L"\\rinban2.exe";
  EXPECT_EQ(VersionText(exe, L"ProductName"), L"rinban 2");
  EXPECT_EQ(VersionText(exe, L"ProductVersion"), L"2.0.0.0");
  EXPECT_EQ(VersionText(exe, L"FileVersion"), L"1.0.0.0");
  EXPECT_EQ(VersionText(exe, L"LegalCopyright"), L"Copyright (c) 2026 rinban 2 developers");
  EXPECT_NE(folder.find(L"rinban2-2.0.0-"), std::wstring::npos);

  {
    App app(folder, L"rinban2.exe");  // waits for the title "rinban 2.0"
    app.Click(id::Button1);
    EXPECT_EQ(app.ClickForMessage(id::Button3), Wide(msg::kListingSaved));
    app.ShowPage(3);
    EXPECT_EQ(app.ClickForMessage(id::Button4), Wide(msg::kHtmlSaved));
    EXPECT_EQ(app.ClickForMessage(id::Button5), Wide(msg::kSettingsSaved));
    ASSERT_TRUE(app.Close());
  }
  // The working folder and the exe's folder are one here: each file lands
  // beside the exe, under the Japanese path.
  for (const wchar_t* name : {L"table.txt", L"table.html", L"rinban2.INI"}) {
    const auto bytes = ReadBytes(folder + L"\\" + name);
    EXPECT_TRUE(bytes && !bytes->empty()) << Utf8(name);
  }
}

}  // namespace
}  // namespace rinban::e2e
