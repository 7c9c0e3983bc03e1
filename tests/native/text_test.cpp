#include <gtest/gtest.h>

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

}  // namespace rinban
