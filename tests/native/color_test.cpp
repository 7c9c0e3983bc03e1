#include <gtest/gtest.h>

#include "table/color.h"

namespace rinban {

TEST(Color, ToHexIsRedGreenBlue) {
  EXPECT_EQ(ColorToHex(0x000080), "800000");
  EXPECT_EQ(ColorToHex(0x99FFFF), "FFFF99");
  EXPECT_EQ(ColorToHex(0xFFFF99), "99FFFF");
  EXPECT_EQ(ColorToHex(0), "000000");
  EXPECT_EQ(ColorToHex(0x0A0B0C), "0C0B0A");
  EXPECT_EQ(ColorToHex(0x7F123456), "563412");  // bits above 24 ignored
}

TEST(Color, NegativeResolvesThroughTheLowestByte) {
  for (ColorValue c : {ColorValue(-2147483633), ColorValue(0x8000000F), ColorValue(0xFF00FF0F)}) {
    EXPECT_EQ(ResolveColor(c), SystemColor(15));
    EXPECT_EQ(ColorToHex(c), ColorToHex(SystemColor(15)));
  }
  EXPECT_EQ(ResolveColor(-1), SystemColor(255));
  EXPECT_EQ(ResolveColor(0x123456), 0x123456);
  EXPECT_NE(SystemColor(5), SystemColor(8));  // window background is not its text
}

// The colour dialog's custom slots as the settings would keep them.
TEST(Color, CustomSlotsAreHexText) {
  EXPECT_EQ(InitialCustomColors(), TextList(16, "FFFFFFFF"));
  EXPECT_EQ(ParseCustomColor(""), 0xFFFFFFFFu);
  EXPECT_EQ(ParseCustomColor("FFFFFFFF"), 0xFFFFFFFFu);
  EXPECT_EQ(ParseCustomColor("99ffff"), 0x99FFFFu);
  EXPECT_EQ(FormatCustomColor(0x12), "000012");
  EXPECT_EQ(FormatCustomColor(0xFFFFFFFF), "FFFFFFFF");
  EXPECT_EQ(FormatCustomColor(ParseCustomColor("ABCDEF")), "ABCDEF");
}

}  // namespace rinban
