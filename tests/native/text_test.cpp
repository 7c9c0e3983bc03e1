#include <gtest/gtest.h>

#include "text/error.h"
#include "text/messages.h"
#include "text/text.h"

namespace rinban {

// A build that loses -fexec-charset=CP932 fails here first.
TEST(Text, LiteralsAreCp932) {
  EXPECT_EQ(Text(msg::kByeName), Text("\x5B\x8E\x8E\x8D\x87\x96\xB3\x82\xB5\x5D"));
  EXPECT_EQ(Text(msg::kHtmlSaved).size(), 28u);
}

TEST(Text, FormatWithReplacesFirstPlaceholder) {
  EXPECT_EQ(FormatWith("a %s b %s", "./x"), "a ./x b %s");
  EXPECT_EQ(FormatWith("none", "x"), "none");
}

TEST(ErrorBox, AddsAStopUnlessTheTextEndsAtOrBelowIt) {
  struct Case {
    const char* text;
    const char* shown;
  } cases[] = {
      {"", ""},
      {"a", "a."},
      {"done.", "done."},
      {"x-", "x-"},            // '-' sorts below '.'
      {"what?", "what?."},
      {"a/", "a/."},           // '/' sorts above '.'
      {"end ", "end "},
      {"ファイル %s を作成できません", "ファイル %s を作成できません."},
      {"表", "表."},           // trail byte 0x5C
      {"ソ", "ソ."},           // trail byte 0x5C as well
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorBoxText(c.text), c.shown) << c.text;
}

}  // namespace rinban
