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

// A name's bytes that are no UTF-8 survive the tool's wide text and come back as they were; UTF-8 reads as UTF-8.
TEST(EscapedNameTest, BytesThatAreNoUtf8ComeBackAsTheyWere) {
  const struct {
    std::string bytes;
    size_t chars;  // wide characters
  } cases[] = {
      {"plain.ini", 9},
      {"\xE6\xA0\x87\xE7\xAD\xBE.ini", 6},  // UTF-8 "标签"
      {"\xF0\x9F\x96\xA8", 2},              // a pair of halves
      {"lat\xE9in", 6},                     // Latin-1
      {"\xB1\xEA\xC7\xA9", 3},              // code page 936: two bytes no UTF-8, two that happen to be
      {"\xE6\xA0", 2},                      // a character cut short
      {"\xC0\xAF\xED\xA0\x80", 5},          // an overlong '/' and a lone half in UTF-8
  };
  for (const auto &c : cases) {
    const prnset::WString wide = prnset::WidenEscaped(c.bytes);
    EXPECT_EQ(wide.size(), c.chars) << c.bytes;
    EXPECT_EQ(prnset::Utf8Escaped(wide), c.bytes) << c.bytes;
  }
  EXPECT_EQ(prnset::WidenEscaped("\xE6\xA0\x87"), prnset::Widen("\xE6\xA0\x87"));
}

}  // namespace
