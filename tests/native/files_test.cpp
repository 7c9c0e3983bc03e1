#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "../common/support.h"
#include "platform/files.h"
#include "schedule/listing.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

namespace fs = std::filesystem;
using testing_support::ErrorOf;

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// Each test runs inside a fresh directory, as the program does in its own.
class Files : public testing::Test {
 protected:
  testing_support::WorkFolder folder_{"rinban-files"};
};

TEST_F(Files, ReadFailuresNameThePath) {
  fs::create_directory("list.txt");
  const struct {
    Text path;
    bool exists;
  } cases[] = {{"./missing.txt", false}, {"./list.txt", false}};
  for (const auto& c : cases) {
    EXPECT_EQ(FileExists(c.path), c.exists) << c.path;
    EXPECT_EQ(ErrorOf([&] { ReadMemberList(c.path); }), FormatWith(msg::kCannotOpen, c.path));
  }
}

TEST_F(Files, WriteTruncatesAndReadsBack) {
  WriteWholeFile("./t.txt", std::string(1000, 'x'));
  const std::string bytes("A\r\n\x95\x5C\0B", 7);
  WriteWholeFile("./t.txt", bytes);
  EXPECT_EQ(Slurp("t.txt"), bytes);
  EXPECT_TRUE(FileExists("./t.txt"));
  EXPECT_EQ(ReadWholeFile("./t.txt"), bytes);
  EXPECT_EQ(ReadMemberList("./t.txt"), (TextList{"A", "\x95\x5C"}));

  std::ofstream("table.txt", std::ios::binary) << std::string(500, 'y');
  SaveListing("<<x>>\r\n\r\n");
  SaveListing("<<x>>\r\n\r\n");
  EXPECT_EQ(Slurp("table.txt"), "<<x>>\r\n\r\n");
}

TEST_F(Files, UnwritableTargetsNameThePath) {
  fs::create_directory("table.txt");
  for (const Text& path : {Text("./table.txt"), Text("./no-such-dir/x.txt")})
    EXPECT_EQ(ErrorOf([&] { WriteWholeFile(path, "abc"); }), FormatWith(msg::kCannotCreate, path));
  EXPECT_EQ(ErrorOf([] { SaveListing("abc"); }), FormatWith(msg::kCannotCreate, "./table.txt"));
  // The new file written beside the target does not stay when it cannot take its place.
  for (const auto& entry : fs::directory_iterator(".")) EXPECT_EQ(entry.path().filename(), "table.txt");
}

}  // namespace
}  // namespace rinban
