#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <thread>

#include "../common/support.h"
#include "platform/files.h"
#include "schedule/schedule.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::ErrorOf;

// Entries in the working folder, to see that no new file stays behind.
std::ptrdiff_t Entries() { return std::distance(std::filesystem::directory_iterator("."), {}); }

// Each test works in a folder of its own, by paths relative to it.
class WinFiles : public testing::Test {
 protected:
  static Text Path(const char* name) { return std::string("./") + name; }

  testing_support::WorkFolder folder_{"rinban-winfiles"};
};

TEST_F(WinFiles, ExistenceAndOpenFailures) {
  const Text missing = Path("missing.txt"), folder = Path("list.txt"), held = Path("held.txt");
  CreateDirectoryA(folder.c_str(), nullptr);
  EXPECT_FALSE(FileExists(missing));
  EXPECT_FALSE(FileExists(folder));
  EXPECT_EQ(ErrorOf([&] { ReadMemberList(missing); }), FormatWith(msg::kCannotOpen, missing));

  // Another program writing the list: reading shares read access only, so it must refuse.
  WriteWholeFile(held, "A\r\nB\r\n");
  HANDLE writer = CreateFileA(held.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(FileExists(held));
  EXPECT_EQ(ErrorOf([&] { ReadMemberList(held); }), FormatWith(msg::kCannotOpen, held));
  CloseHandle(writer);
  EXPECT_EQ(ReadMemberList(held), (TextList{"A", "B"}));
}

TEST_F(WinFiles, WriteTruncatesAndKeepsBytes) {
  const Text path = Path("t.txt");
  WriteWholeFile(path, std::string(4096, 'x'));
  const std::string bytes("\x95\x5C\r\n\x83\x5C\0z", 8);
  WriteWholeFile(path, bytes);
  EXPECT_EQ(ReadWholeFile(path), bytes);
  EXPECT_EQ(ReadMemberList(path), (TextList{"\x95\x5C", "\x83\x5C"}));
}

TEST_F(WinFiles, UnwritableTargetsNameThePath) {
  const Text folder = Path("x"), open = Path("open.txt");
  CreateDirectoryA(folder.c_str(), nullptr);
  // A file another program has open, even only for reading, cannot be
  // recreated: the write shares nothing.
  WriteWholeFile(open, "keep");
  HANDLE reader = CreateFileA(open.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  for (const Text& path : {folder, open, Path("no-such-dir/x.txt")})
    EXPECT_EQ(ErrorOf([&] { WriteWholeFile(path, "abc"); }), FormatWith(msg::kCannotCreate, path)) << path;
  CloseHandle(reader);
  EXPECT_EQ(ReadWholeFile(open), "keep");
  EXPECT_EQ(Entries(), 2) << "the new file was left behind";
}

// A save of a hidden file, of one held for a moment or for good, of one
// file by two threads at once, and from a deep working folder.
TEST_F(WinFiles, SavesKeepTheFileWaitOutBriefHoldsAndRunTogether) {
  const auto hold = [] { return CreateFileA("held.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr); };
  WriteWholeFile("hidden.txt", "old");
  SetFileAttributesA("hidden.txt", FILE_ATTRIBUTE_HIDDEN);
  WriteWholeFile("hidden.txt", "new");
  EXPECT_EQ(GetFileAttributesA("hidden.txt") & ~FILE_ATTRIBUTE_ARCHIVE, FILE_ATTRIBUTE_HIDDEN);
  // Read-only is refused, and at once, as a folder is.
  SetFileAttributesA("hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  const ULONGLONG start = GetTickCount64();
  EXPECT_EQ(ReplaceFileWith(WidePathOf("hidden.txt"), "newer"), WriteResult::CannotCreate);
  EXPECT_LT(GetTickCount64() - start, 500u);
  EXPECT_EQ(ReadWholeFile("hidden.txt"), "new");
  SetFileAttributesA("hidden.txt", FILE_ATTRIBUTE_NORMAL);

  WriteWholeFile("held.txt", "old");
  std::thread release([held = hold()] { Sleep(200), CloseHandle(held); });
  EXPECT_NO_THROW(WriteWholeFile("held.txt", "new"));
  release.join();
  HANDLE held = hold();
  EXPECT_EQ(ErrorOf([&] { WriteWholeFile("held.txt", "newer"); }), FormatWith(msg::kCannotCreate, "held.txt"));
  CloseHandle(held);
  EXPECT_EQ(ReadWholeFile("held.txt"), "new");

  // Two threads: each save goes through, and the file is one whole text.
  const std::string a(1 << 16, 'a'), b(1 << 16, 'b');
  for (int round = 0; round < 20; ++round) {
    std::thread other([&] { EXPECT_NO_THROW(WriteWholeFile("both.txt", b)); });
    EXPECT_NO_THROW(WriteWholeFile("both.txt", a));
    other.join();
    const Text now = ReadWholeFile("both.txt");
    EXPECT_TRUE(now == a || now == b) << now.size() << " bytes";
  }
  EXPECT_EQ(Entries(), 3) << "a new or an old file stayed behind";

  // 250 characters: "table.html" fits below the limit, the new file beside it does not.
  std::wstring deep = folder_.Path().wstring();
  for (size_t left; (left = 250 - deep.size()) > 0;) {
    deep += L"\\" + std::wstring(left <= 101 ? left - 1 : 50, L'd');
    ASSERT_TRUE(CreateDirectoryW((L"\\\\?\\" + deep).c_str(), nullptr));
  }
  ASSERT_TRUE(SetCurrentDirectoryW(deep.c_str()));
  WriteWholeFile("./table.html", "<html>");
  EXPECT_EQ(ReadFileIfAny(WidePathOf("./table.html")).bytes, "<html>");
  DeleteFileW((L"\\\\?\\" + deep + L"\\table.html").c_str());  // too long a name for the folder's removal
}

}  // namespace
}  // namespace rinban
