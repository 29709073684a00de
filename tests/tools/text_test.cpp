// The tool's text helpers that stand between it and a terminal.
#include "tools/prnset/text.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

// A console shows a character split between two writes garbled: lines go out whole, and a flush never splits one.
TEST(LineBufferTest, HandsOnWholeLinesAndWholeCharacters) {
  std::vector<std::string> handed;
  {
    prnset::LineBuffer buffer([&](const std::string &text) { handed.push_back(text); });
    std::ostream out(&buffer);
    out << "Class 0: ";
    EXPECT_TRUE(handed.empty());
    out << "\xE6\x89\x93\xE5\x8D\xB0\nItem";  // "打印"
    ASSERT_EQ(handed.size(), 1u);
    EXPECT_EQ(handed[0], "Class 0: \xE6\x89\x93\xE5\x8D\xB0\n");
    out << ' ' << "\xE8\xB4";  // half of "质"
    out.flush();
    ASSERT_EQ(handed.size(), 2u);
    EXPECT_EQ(handed[1], "Item ");
    out << '\xA8' << "\xF0\x9F\x96\xA8";  // its last byte, and a character of four bytes
    out.flush();
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_EQ(handed[2], "\xE8\xB4\xA8\xF0\x9F\x96\xA8");
    out << "\xC3";  // a lead byte at the end is written when the buffer goes
  }
  ASSERT_EQ(handed.size(), 4u);
  EXPECT_EQ(handed[3], "\xC3");
}

}  // namespace
