// The emulation's resource loader on images of the tests' own making: the language pick, names, and files that are
// cut short or broken, which must never be read past their end.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/host/control.h"
#include "platform/host/dialog_template.h"
#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

using Bytes = std::vector<BYTE>;

void PutWord(Bytes &b, WORD v) { b.insert(b.end(), {BYTE(v), BYTE(v >> 8)}); }
void PutDword(Bytes &b, DWORD v) { b.insert(b.end(), {BYTE(v), BYTE(v >> 8), BYTE(v >> 16), BYTE(v >> 24)}); }
void Align(Bytes &b) {
  while (b.size() % 4) b.push_back(0);
}

// A type or name: an ordinal, or a text when it does not start with a digit.
void PutId(Bytes &b, const std::string &id) {
  if (!id.empty() && id[0] >= '0' && id[0] <= '9') {
    PutWord(b, 0xFFFF);
    PutWord(b, WORD(std::stoi(id)));
    return;
  }
  for (char c : id) PutWord(b, WORD(c));
  PutWord(b, 0);
}

struct Resource {
  std::string type, name;
  WORD language;
  Bytes data;
};

// A .res file: the empty leading entry, then one entry per resource.
Bytes ResFile(const std::vector<Resource> &resources) {
  Bytes file = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
  file.resize(32, 0);
  for (const Resource &r : resources) {
    Bytes header;
    PutId(header, r.type);
    PutId(header, r.name);
    Align(header);
    PutDword(header, 0);           // data version
    PutWord(header, 0x1030);       // memory flags
    PutWord(header, r.language);
    PutDword(header, 0);           // version
    PutDword(header, 0);           // characteristics
    PutDword(file, DWORD(r.data.size()));
    PutDword(file, DWORD(header.size() + 8));
    file.insert(file.end(), header.begin(), header.end());
    file.insert(file.end(), r.data.begin(), r.data.end());
    Align(file);
  }
  return file;
}

// A string-table block whose string `index` is `text`, the others empty.
Bytes StringBlock(int index, const std::string &text) {
  Bytes block;
  for (int i = 0; i < 16; ++i) {
    if (i != index) {
      PutWord(block, 0);
      continue;
    }
    PutWord(block, WORD(text.size()));
    for (char c : text) PutWord(block, WORD(c));
  }
  return block;
}

std::string WriteImage(const std::string &name, const Bytes &bytes) {
  return Utf8(testing_machine::WriteTempFile(name, std::string(bytes.begin(), bytes.end())));
}

std::string Load(UINT id) {
  WCHAR buffer[64];
  int n = LoadStringW(nullptr, id, buffer, ARRAYSIZE(buffer));
  return n ? Utf8(buffer) : std::string();
}

class ResourceLoader : public ::testing::Test {
 protected:
  void SetUp() override { testing_machine::Reset(); }
  void TearDown() override {
    host::LoadResourceFile(host::DefaultResourceFile());
    testing_machine::Reset();
  }
};

TEST_F(ResourceLoader, PicksTheThreadLanguageThenItsPrimaryLanguageThenEnglish) {
  // String 1 (block 1) in US English, Chinese (PRC) and neutral German.
  ASSERT_TRUE(host::LoadResourceFile(WriteImage("languages.res",
                                                ResFile({{"6", "1", 0x0409, StringBlock(1, "English")},
                                                         {"6", "1", 0x0804, StringBlock(1, "Chinese")},
                                                         {"6", "1", 0x0007, StringBlock(1, "German")}}))));
  struct {
    LANGID thread;
    const char *expected;
  } cases[] = {
      {0x0409, "English"}, {0x0804, "Chinese"}, {0x0407, "German"},  // primary language with neutral sublanguage
      {0x0404, "English"},                                            // another Chinese: not the PRC's texts
      {0x040C, "English"},                                            // neither language
  };
  for (const auto &c : cases) {
    host::SetThreadUILanguage(c.thread);
    EXPECT_EQ(Load(1), c.expected) << std::hex << c.thread;
  }

  EXPECT_NE(FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(1), 0x0807), nullptr);  // German, Swiss
  EXPECT_EQ(FindResourceExW(nullptr, RT_STRING, MAKEINTRESOURCEW(1), 0x040C), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_LANG_NOT_FOUND));
}

TEST_F(ResourceLoader, FindsNamedResourcesWithoutRegardToCase) {
  ASSERT_TRUE(host::LoadResourceFile(WriteImage(
      "named.res", ResFile({{"SETTINGS", "PAGE", 0x0409, {1, 2, 3}}, {"10", "7", 0x0409, {4, 5}}}))));
  HRSRC named = FindResourceW(nullptr, u"page", u"Settings");
  ASSERT_NE(named, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, named), 3u);
  EXPECT_EQ(static_cast<const BYTE *>(LockResource(LoadResource(nullptr, named)))[2], 3);
  HRSRC numbered = FindResourceW(nullptr, u"#7", u"#10");
  ASSERT_NE(numbered, nullptr);
  EXPECT_EQ(SizeofResource(nullptr, numbered), 2u);

  EXPECT_EQ(FindResourceW(nullptr, u"PAGE", u"OTHER"), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(8), MAKEINTRESOURCEW(10)), nullptr);
  EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
}

TEST_F(ResourceLoader, AProcessWithoutImageHasNoStrings) {
  EXPECT_FALSE(host::LoadResourceFile(""));
  WCHAR buffer[8] = {u'x', 0};
  EXPECT_EQ(LoadStringW(nullptr, 9, buffer, ARRAYSIZE(buffer)), 0);
  EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(106), RT_DIALOG), nullptr);
  EXPECT_FALSE(host::LoadResourceFile("/nonexistent/prnsetui.res"));
}

TEST_F(ResourceLoader, AStringBlockCutShortGivesNoText) {
  Bytes block = StringBlock(15, "Complete");
  ASSERT_TRUE(host::LoadResourceFile(WriteImage("whole-block.res", ResFile({{"6", "1", 0x0409, block}}))));
  EXPECT_EQ(Load(15), "Complete");
  block.resize(block.size() - 4);  // the last two characters of string 15 are missing
  ASSERT_TRUE(host::LoadResourceFile(WriteImage("short-block.res", ResFile({{"6", "1", 0x0409, block}}))));
  EXPECT_EQ(Load(15), "");
}

// Every prefix of the module's own image and a few broken headers load without reading past the end: what is
// found is what lies wholly inside.
TEST_F(ResourceLoader, ImagesCutShortAreReadOnlyAsFarAsTheyGo) {
  std::ifstream in(host::DefaultResourceFile(), std::ios::binary);
  ASSERT_TRUE(in) << host::DefaultResourceFile();
  Bytes image{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  ASSERT_GT(image.size(), 1000u);

  std::vector<Bytes> broken;
  for (size_t cut = 0; cut < image.size(); cut += 3) broken.emplace_back(image.begin(), image.begin() + cut);
  Bytes hugeData = image;
  hugeData[32] = 0xFF, hugeData[33] = 0xFF, hugeData[34] = 0xFF, hugeData[35] = 0x7F;  // first entry's data size
  broken.push_back(hugeData);
  Bytes oddHeader = image;
  oddHeader[36] = 0x1E;  // a header size that is not a multiple of four
  broken.push_back(oddHeader);

  bool sawPartial = false;
  for (size_t i = 0; i < broken.size(); ++i) {
    SCOPED_TRACE(i);
    ASSERT_TRUE(host::LoadResourceFile(WriteImage("cut.res", broken[i])));
    for (UINT id = 1; id <= 12; ++id) Load(id);
    if (HRSRC page = FindResourceW(nullptr, MAKEINTRESOURCEW(106), RT_DIALOG)) {
      const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, page)));
      DWORD size = SizeofResource(nullptr, page);
      host::DialogTemplate dialog;
      EXPECT_TRUE(ParseDialogTemplate(data, size, dialog));
      sawPartial = true;
    }
  }
  EXPECT_TRUE(sawPartial);
}

TEST_F(ResourceLoader, DialogTemplatesCutShortAreRefused) {
  HRSRC page = FindResourceExW(nullptr, RT_DIALOG, MAKEINTRESOURCEW(106), 0x0409);
  ASSERT_NE(page, nullptr);
  const BYTE *data = static_cast<const BYTE *>(LockResource(LoadResource(nullptr, page)));
  DWORD size = SizeofResource(nullptr, page);
  host::DialogTemplate dialog;
  ASSERT_TRUE(ParseDialogTemplate(data, size, dialog));
  ASSERT_EQ(dialog.items.size(), 11u);
  for (DWORD cut = 0; cut + 1 < size; ++cut) {
    Bytes prefix(data, data + cut);  // a copy of its own, so that a read past it is caught by the sanitizers
    EXPECT_FALSE(ParseDialogTemplate(prefix.data(), prefix.size(), dialog)) << cut;
    EXPECT_LT(dialog.items.size(), 11u);
  }
  EXPECT_FALSE(ParseDialogTemplate(nullptr, 100, dialog));
}

}  // namespace
