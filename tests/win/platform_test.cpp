#include <windows.h>

#include <gtest/gtest.h>

// Everything else assumes a Japanese system: code page 932.
TEST(Platform, AnsiCodePageIs932) { EXPECT_EQ(GetACP(), 932u); }
