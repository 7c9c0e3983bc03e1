#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>

#include "../common/support.h"
#include "schedule/generation.h"
#include "text/error.h"
#include "text/messages.h"

namespace rinban {
namespace {

namespace fs = std::filesystem;

using testing_support::ErrorOf;
using testing_support::RecordingView;

class Generation : public testing::Test {
 protected:

  void WriteList(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary | std::ios::trunc) << bytes;
  }
  std::vector<std::string> Run(bool expected) {
    RecordingView view;
    EXPECT_EQ(RunGeneration(tables_, view, path_), expected);
    listing_ = view.listing;
    return view.log;
  }

  testing_support::WorkFolder folder_{"rinban-gen"};
  Text path_ = (folder_.Path() / "list.txt").string();
  ScheduleTables tables_;
  Text listing_;
  const std::string status_ = std::string("status ") + msg::kMemberCount;
  const std::string tooFew_ = std::string("message ") + msg::kTooFewMembers;
};

TEST_F(Generation, MissingListOrDirectoryChangesNothing) {
  const std::vector<std::string> notFound = {std::string("message ") + msg::kListNotFound};
  EXPECT_EQ(Run(false), notFound);
  fs::create_directory(path_);
  EXPECT_EQ(Run(false), notFound);
  EXPECT_TRUE(tables_.MemberNames.empty());
  EXPECT_TRUE(tables_.Pairings.empty());
  EXPECT_EQ(tables_.RoundCount, 0);
}

// A socket is present but cannot be opened as a file: the error ends the run
// before any effect.
TEST_F(Generation, UnreadableListChangesNothing) {
  const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  ASSERT_LT(path_.size(), sizeof(address.sun_path));
  path_.copy(address.sun_path, path_.size());
  ASSERT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  RecordingView view;
  EXPECT_EQ(ErrorOf([&] { RunGeneration(tables_, view, path_); }), FormatWith(msg::kCannotOpen, path_));
  close(fd);
  EXPECT_TRUE(view.log.empty());
  EXPECT_TRUE(tables_.MemberNames.empty());
}

TEST_F(Generation, TooFewNamesResizesThenRefuses) {
  const struct {
    std::string bytes;
    int n;
  } cases[] = {{"", 0}, {"A\r\n", 1}, {std::string("\0A\r\nB", 5), 0}};
  for (const auto& c : cases) {
    WriteList(c.bytes);
    EXPECT_EQ(Run(false), (std::vector<std::string>{"clear selectors", status_ + std::to_string(c.n), tooFew_}));
    EXPECT_EQ(tables_.RoundCount, c.n);
    EXPECT_EQ(tables_.MemberNames.size(), static_cast<size_t>(c.n) + 2);
    EXPECT_EQ(tables_.Pairings.size(), static_cast<size_t>(c.n));
    EXPECT_EQ(tables_.MemberNames[0], "");  // nothing written
  }
}

TEST_F(Generation, TwoNamesRunsEveryStepInOrder) {
  WriteList("A\r\nB\r\n");
  EXPECT_EQ(Run(true), (std::vector<std::string>{"clear selectors", status_ + "2", "total 1", "step",
                                                 "fill A B | 第 1 戦", "clear listing", "step", "listing 63",
                                                 "select", "enable"}));
  EXPECT_EQ(listing_.substr(13, 16), "A  <- VS ->  B\r\n");
}

TEST_F(Generation, ProgressCountsBothHalves) {
  WriteList("A\r\nB\r\nC\r\nD\r\nE");
  const auto log = Run(true);
  EXPECT_EQ(std::count(log.begin(), log.end(), "total 5"), 1);
  EXPECT_EQ(std::count(log.begin(), log.end(), "step"), 10);
  const auto at = [&](const std::string& s) { return std::find(log.begin(), log.end(), s) - log.begin(); };
  EXPECT_LT(at("total 5"), at("step"));
  // Five generation steps before the selectors, five listing steps inside the memo's update.
  EXPECT_EQ(std::count(log.begin(), log.begin() + at("fill A B C D E | 第 1 戦 第 2 戦 第 3 戦 第 4 戦 第 5 戦"), "step"), 5);
  EXPECT_EQ(std::count(log.begin() + at("clear listing"), log.begin() + at("listing " + std::to_string(listing_.size())), "step"), 5);
  EXPECT_EQ(tables_.MemberNames[5], msg::kByeName);
}

TEST_F(Generation, RefusedRunAfterSuccessLeavesListingAndButtons) {
  WriteList("A\r\nB\r\nC\r\n");
  Run(true);
  WriteList("Z");
  // No listing, selector fill or button effect: the memo keeps the earlier text.
  EXPECT_EQ(Run(false), (std::vector<std::string>{"clear selectors", status_ + "1", tooFew_}));
  EXPECT_EQ(tables_.RoundCount, 1);
  EXPECT_EQ(tables_.MemberNames[0], "A");
  EXPECT_EQ(tables_.MemberNames[1], "B");
}

}  // namespace
}  // namespace rinban
