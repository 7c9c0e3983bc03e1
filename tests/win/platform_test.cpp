#include <windows.h>

#include <gtest/gtest.h>

#include "../common/cp932_vectors.h"
#include "../common/settings_cases.h"
#include "platform/encoding.h"

// Everything else assumes a Japanese system: code page 932.
TEST(Platform, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }

// The same table as the native conversion's test: both builds give the same bytes.
TEST(Platform, ConvertsToCp932AsTheNativeBuildDoes) {
  for (const auto& v : rinban::testing_support::kCp932Vectors)
    EXPECT_EQ(rinban::Cp932FromUtf16(v.utf16), v.cp932) << testing::PrintToString(v.cp932);
  EXPECT_EQ(rinban::testing_support::Cp932RoundTrip(), "9795 characters, 398 moved, 0 wrong");
}
