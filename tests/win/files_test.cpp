#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "../common/support.h"
#include "platform/files.h"
#include "schedule/schedule.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::ErrorOf;

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
  EXPECT_FALSE(FileExists(open + "~rinban.tmp")) << "the new file was left behind";
}

}  // namespace
}  // namespace rinban
