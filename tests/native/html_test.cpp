#include <gtest/gtest.h>

#include "../common/support.h"
#include "platform/files.h"
#include "table/html.h"
#include "text/messages.h"

namespace rinban {
namespace {

using testing_support::Lines;

const Text kTable = "<table cellpadding=\"2\" border=\"1\" cellspanding=\"1\">";
const Text kCorner = "<tr><th>　</th>";
const Text kPointsHead = "<th align=\"center\" bgcolor=#99FFFF>Pts.</th>";
const Text kPointsCell = "<td align=\"center\" bgcolor=#99FFFF>　</td>";
const Text kBlank = "<td align=\"center\" bgcolor=#FFFFFF><font color=#000000>　</font></td>";
const Text kDiagonal = "<td align=\"center\" bgcolor=#FFFFFF><font color=#000000>---</font></td>";
const Text kCredit = Text("rinban 2.0 by <a href=\"") + kHomePage + "\">" + kHomePage + "</a>";

const TextList kMembers = {"Suzuki", "山本太郎", "Li", "[試合無し]"};

CrossTableInput Example(int32_t style, bool points, const TextList& names = kMembers) {
  return testing_support::DefaultCrossTable(names, "総当り対戦表", style, points);
}

// Body row r of S grid cells, with the row head and points cell given.
void AppendRow(TextList& lines, const Text& head, bool points, int r, int slots) {
  lines.push_back("<tr>");
  if (!head.empty()) lines.push_back(head);
  if (points) lines.push_back(kPointsCell);
  for (int c = 1; c <= slots; ++c) lines.push_back(c == r ? kDiagonal : kBlank);
}

size_t ExpectedLines(size_t slots, bool points, bool names) {
  const size_t p = points, h = names;
  return 9 + p + slots * h + slots * (1 + h + p + slots);
}

TEST(CrossTable, WorkedExampleByteForByte) {
  TextList want = {
      "<html><head><meta charset=\"Shift_JIS\"><title>総当り対戦表</title></head>",
      "<body>", kTable,
      "<caption>総当り対戦表</caption>", kCorner, kPointsHead,
      "<th align=\"center\" bgcolor=#FFFF99>[01]<br>Suz</th>",
      "<th align=\"center\" bgcolor=#FFFF99>[02]<br>山本</th>",
      "<th align=\"center\" bgcolor=#FFFF99>[03]<br>Li</th>",
      "<th align=\"center\" bgcolor=#FFFF99>[04]<br>[試</th>", "</tr>"};
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[01]<br>Suzuki</th>", true, 1, 4);
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[02]<br>山本太郎</th>", true, 2, 4);
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[03]<br>Li</th>", true, 3, 4);
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[04]<br>[試合無し]</th>", true, 4, 4);
  want.insert(want.end(), {"</table>", kCredit, "</body></html>"});
  ASSERT_EQ(want.size(), 42u);

  const TextList got = Lines(BuildCrossTableText(Example(2, true)));
  EXPECT_EQ(got, want);
  // The pieces the format fixes by length, so a lost charset flag shows here too.
  EXPECT_EQ(got[2].size(), 51u);
  EXPECT_EQ(got[4].size(), 15u);
  EXPECT_EQ(got[4].substr(8, 2), "\x81\x40");

  Text joined;
  for (const Text& line : want) joined += line + "\r\n";
  EXPECT_EQ(BuildCrossTableText(Example(2, true)), joined);
}

TEST(CrossTable, StyleZeroWithoutPoints) {
  const TextList got = Lines(BuildCrossTableText(Example(0, false)));
  ASSERT_EQ(got.size(), 37u);
  EXPECT_EQ(got[5], "<th align=\"center\" bgcolor=#FFFF99>Suz</th>");
  EXPECT_EQ(got[9], "</tr>");
  EXPECT_EQ(got[10], "<tr>");
  EXPECT_EQ(got[11], "<th align=\"left\" bgcolor=#FFFF99>Suzuki</th>");
  EXPECT_EQ(got[12], kDiagonal);
}

TEST(CrossTable, TwoParticipantsStyleTwoWithPoints) {
  const TextList names = {"A", "B"};
  TextList want = {"<html><head><meta charset=\"Shift_JIS\"><title>総当り対戦表</title></head>",
                   "<body>", kTable,
                   "<caption>総当り対戦表</caption>", kCorner, kPointsHead,
                   "<th align=\"center\" bgcolor=#FFFF99>[01]<br>A</th>",
                   "<th align=\"center\" bgcolor=#FFFF99>[02]<br>B</th>", "</tr>"};
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[01]<br>A</th>", true, 1, 2);
  AppendRow(want, "<th align=\"left\" bgcolor=#FFFF99>[02]<br>B</th>", true, 2, 2);
  want.insert(want.end(), {"</table>", kCredit, "</body></html>"});
  ASSERT_EQ(want.size(), 22u);
  EXPECT_EQ(Lines(BuildCrossTableText(Example(2, true, names))), want);
}

TEST(CrossTable, LineCountAndFastPathAgreeOverStylesAndSizes) {
  for (int slots : {1, 2, 3, 8, 17}) {
    TextList names;
    for (int i = 0; i < slots; ++i) names.push_back("名前" + std::to_string(i));
    for (int style = -1; style <= 3; ++style) {
      for (bool points : {false, true}) {
        SCOPED_TRACE(testing::Message() << "S=" << slots << " style=" << style << " points=" << points);
        const CrossTableInput in = Example(style, points, names);
        const Text text = BuildCrossTableText(in);
        const TextList lines = Lines(text);
        EXPECT_EQ(lines.size(), ExpectedLines(slots, points, style >= 0 && style <= 2));
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n");  // no unterminated last line
        EXPECT_EQ(lines.back(), "</body></html>");
      }
    }
  }
}

TEST(CrossTable, EntryNumbers) {
  const TextList names(123, "x");
  struct Case {
    int style;
    int n;
    const char* head;
  } cases[] = {
      {1, 7, "[7]<br>x"},    {1, 10, "[10]<br>x"},   {1, 100, "[100]<br>x"}, {1, 123, "[123]<br>x"},
      {2, 7, "[07]<br>x"},   {2, 10, "[10]<br>x"},   {2, 100, "[100]<br>x"}, {2, 123, "[123]<br>x"},
      {0, 7, "x"},           {0, 123, "x"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "style=" << c.style << " n=" << c.n);
    const TextList lines = Lines(BuildCrossTableText(Example(c.style, false, names)));
    // Five lines, 123 column heads and "</tr>"; then body rows of 2 + 123 lines.
    const size_t rowHead = 5 + 123 + 1 + (c.n - 1) * (2 + 123) + 1;
    EXPECT_EQ(lines[4 + c.n], "<th align=\"center\" bgcolor=#FFFF99>" + Text(c.head) + "</th>");
    EXPECT_EQ(lines[rowHead], "<th align=\"left\" bgcolor=#FFFF99>" + Text(c.head) + "</th>");
  }
}

TEST(CrossTable, NoNameCellsWithoutAStyleAndEmptyNamesStayEmpty) {
  const TextList names = {"Secret", "Hidden"};
  for (int style : {-1, 3}) {
    const Text text = BuildCrossTableText(Example(style, true, names));
    EXPECT_EQ(text.find("Secret"), Text::npos);
    EXPECT_EQ(text.find("Hid"), Text::npos);
    EXPECT_EQ(text.find("bgcolor=#FFFF99"), Text::npos);
  }
  const TextList blank = {"", "B"};
  const TextList lines = Lines(BuildCrossTableText(Example(1, false, blank)));
  EXPECT_EQ(lines[5], "<th align=\"center\" bgcolor=#FFFF99>[1]<br></th>");
  EXPECT_EQ(lines[9], "<th align=\"left\" bgcolor=#FFFF99>[1]<br></th>");
}

TEST(CrossTable, TitleAndCaptionsPassUnescaped) {
  const TextList names = {"<b>&\"", "B"};
  CrossTableInput in = Example(0, false, names);
  in.title = "a<b&\"c";
  in.member = "x\"y";
  const TextList lines = Lines(BuildCrossTableText(in));
  EXPECT_EQ(lines[0], "<html><head><meta charset=\"Shift_JIS\"><title>a<b&\"c</title></head>");
  EXPECT_EQ(lines[3], "<caption>a<b&\"c</caption>");
  EXPECT_EQ(lines[5], "<th align=\"center\" bgcolor=#x\"y><b></th>");
  in.title.clear();
  EXPECT_EQ(Lines(BuildCrossTableText(in))[0],
            "<html><head><meta charset=\"Shift_JIS\"><title></title></head>");
}

TEST(CrossTable, ShortName) {
  struct Case {
    Text text;
    int start, count;
    Text want;
  } cases[] = {
      {"Suzuki", 1, 3, "Suz"},
      {"山本太郎", 1, 3, "山本"},          // byte 3 begins 本
      {"Li", 1, 3, "Li"},
      {"", 1, 3, ""},
      {"[試合無し]", 1, 3, "[試"},          // byte 3 is the second byte of 試
      {"ab\x81", 1, 3, "ab\x81"},          // a lone lead byte at the end
      {"a\x81", 1, 3, "a\x81"},
      {"abc", 1, 3, "abc"},
      {"\x95\x5c" "a", 1, 3, "\x95\x5c" "a"}, // a second byte of 0x5C is not a lead
      {"Suzuki", 2, 3, "uzu"},
      {"Suzuki", 5, 3, "ki"},
      {"Suzuki", 9, 3, ""},
      {"Suzuki", 1, 0, ""},
      {"a山本", 2, 1, "山"},
      {"a山本", 3, 1, "\x52"},              // starts inside 山: one byte, never a pair
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.start << "," << c.count << " " << testing::PrintToString(c.text));
    EXPECT_EQ(ShortName(c.text, c.start, c.count), c.want);
  }
}

TEST(CrossTable, WriteReplacesTheFile) {
  WriteWholeFile(msg::kHtmlPath, Text(100000, 'z'));
  const Text text = BuildCrossTableText(Example(2, true));
  WriteCrossTableText(text);
  EXPECT_EQ(ReadWholeFile(msg::kHtmlPath), text);
  WriteCrossTableText("a\r\n");
  EXPECT_EQ(ReadWholeFile(msg::kHtmlPath), "a\r\n");
}

}  // namespace
}  // namespace rinban
