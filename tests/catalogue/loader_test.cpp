#include <gtest/gtest.h>

#include "tests/catalogue/catalogue_fixture.h"

namespace {

const char kWorkedExample[] = R"([SectionNames]
SectionCount=2
Section01=Print
Section02=Service
EnterInstruction=1B 40
SaveInstruction=1B 53
ParameterRule=High256

[Section01]
ItemCount=2
Item01=Density
Item01Instruction=1B 44
Item02=Speed
Item02Instruction=1B 56

[Section02]
ItemCount=1
Item01=Clean
Item01Instruction=1B 43

[Print_Filter]
Speed=0

[Service_Filter]
SectionEnable=0

[Print_Lang_EN]
Title=Print quality
Density_Title=Density
Density_Note=Darker or lighter print

[Print_Rule_EN]
Density_RuleType=Enum
Density_Rule=0=Light 1=Normal 2=Dark

[Print_Default]
Density=2
)";

std::string Options(const SettingsItem &item) {
  std::string out;
  for (LONG i = 0; const SettingsOption *o = OptionAt(item, i); ++i)
    out += std::to_string(o->Value) + "=" + Text(o->Text) + ";";
  return out;
}

TEST(Loader, WorkedExampleInEnglish) {
  LoadedCatalogue loaded;
  SettingsCatalogue &c = loaded.Load(kWorkedExample);
  EXPECT_EQ(c.SectionCount, 1);
  EXPECT_EQ(Text(c.ParameterRule), "High256");
  EXPECT_EQ(Text(c.EnterInstruction), "1B 40");
  EXPECT_EQ(Text(c.SaveInstruction), "1B 53");
  EXPECT_EQ(Text(c.InstructionTail), "");
  const SettingsSection &s = c.Sections[0];
  EXPECT_EQ(Text(s.Key), "Print");
  EXPECT_EQ(Text(s.Title), "Print quality");
  EXPECT_EQ(Text(s.Note), "");
  ASSERT_EQ(s.ItemCount, 1);
  const SettingsItem &item = s.Items[0];
  EXPECT_EQ(Text(item.Key), "Density");
  EXPECT_EQ(Text(item.Title), "Density");
  EXPECT_EQ(Text(item.Note), "Darker or lighter print");
  EXPECT_EQ(Text(item.Instruction), "1B 44");
  EXPECT_EQ(item.ParameterCount, 1);
  EXPECT_EQ(item.OptionCount, 3u);
  EXPECT_EQ(Options(item), "0=Light;1=Normal;2=Dark;");
  EXPECT_EQ(item.DefaultValue, 2);
  EXPECT_EQ(item.CurrentValue, 2);
}

TEST(Loader, WorkedExampleInChineseHasNoTextsOrOptions) {
  LoadedCatalogue loaded;
  SettingsCatalogue &c = loaded.Load(kWorkedExample, 2052, 936);
  ASSERT_EQ(c.SectionCount, 1);
  const SettingsItem &item = c.Sections[0].Items[0];
  EXPECT_EQ(Text(c.Sections[0].Title), "");
  EXPECT_EQ(Text(item.Title), "");
  EXPECT_EQ(item.OptionCount, 0u);
  EXPECT_EQ(Text(item.Instruction), "1B 44");
  EXPECT_EQ(item.DefaultValue, 2);
}

// The catalogue as one line: each section's key, then its title in quotes when it has one, then its items in
// brackets, each its key and title likewise, with "/N" for a parameter count and "=V" for a default other than 1.
std::string Outline(const SettingsCatalogue &c) {
  auto named = [](const WCHAR *key, const WCHAR *title) {
    return Text(key) + (title[0] ? "\"" + Text(title) + "\"" : std::string());
  };
  std::string out;
  for (LONG s = 0; s < c.SectionCount; ++s) {
    const SettingsSection &section = c.Sections[s];
    out += (s ? " " : "") + named(section.Key, section.Title) + "[";
    for (LONG i = 0; i < section.ItemCount; ++i) {
      const SettingsItem &item = section.Items[i];
      out += (i ? " " : "") + named(item.Key, item.Title);
      if (item.ParameterCount != 1) out += "/" + std::to_string(item.ParameterCount);
      if (item.DefaultValue != 1) out += "=" + std::to_string(item.DefaultValue);
    }
    out += "]";
  }
  return out;
}

// What the page shows of a file: which sections and items, in which order, under which titles.
TEST(Loader, FilesGiveTheirOutline) {
  const struct {
    const char *name, *file, *outline;
  } cases[] = {
      // Hidden sections and items leave no gaps; the third file section shares the key A and is read from its own
      // [Section03].
      {"hidden sections and items", R"([SectionNames]
SectionCount=3
Section01=A
Section02=B
Section03=A
[Section01]
ItemCount=3
Item01=X
Item02=Y
Item03=Z
Item02ParameterCount=3
Item03ParameterCount=2
[Section02]
ItemCount=1
Item01=Q
[Section03]
ItemCount=1
Item01=W
[B_Filter]
SectionEnable=0
[A_Filter]
Y=0
SectionEnable=2
[A_Default]
Z=-7
)",
       "A[X Z/2=-7] A[W]"},
      // A declared count above the listed entries whose last listed one is hidden: the walk goes on past it, and
      // the unlisted numbers (no key, so shown unless the empty key is filtered) still count.
      {"declared counts above the listed ones", R"([SectionNames]
SectionCount=3
Section01=A
Section02=B
[Section01]
ItemCount=3
Item01=X
Item02=Y
[B_Filter]
SectionEnable=0
[A_Filter]
Y=0
)",
       "A[X ] []"},
      // Section names are matched without regard to case, over the whole alphabet: "[SIZE_Lang_EN]" holds the
      // texts of the section "Size", and "[zone_lang_en]" those of "ZONE".
      {"section names in any case", R"([SectionNames]
SectionCount=2
Section01=Size
Section02=ZONE
[Section01]
ItemCount=1
Item01=Fuzz
[Section02]
ItemCount=1
Item01=Maze
[SIZE_Lang_EN]
Title=Paper size
FUZZ_Title=Fuzzy
[zone_lang_en]
Title=Zones
maze_title=Maze title
)",
       "Size\"Paper size\"[Fuzz\"Fuzzy\"] ZONE\"Zones\"[Maze\"Maze title\"]"},
      {"missing file", "", ""},
      {"negative section count", "[SectionNames]\nSectionCount=-3\nSection01=A\n", ""},
      {"zero section count", "[SectionNames]\nSectionCount=0\nSection01=A\n", ""},
      {"negative item count", "[SectionNames]\nSectionCount=1\nSection01=A\n[Section01]\nItemCount=-1\n", "A[]"},
      // A declared count in the billions whose unlisted entries are all hidden ends at once, with the same
      // catalogue as a walk over every number would give.
      {"huge declared counts of hidden entries", R"([SectionNames]
SectionCount=2000000000
Section01=A
Section03=B
[Section01]
ItemCount=2000000000
Item01=X
Item03=Y
[Section03]
ItemCount=1
Item01=Z
[_Filter]
SectionEnable=0
[A_Filter]
=0
)",
       "A[X Y] B[Z]"},
      // The same with a listed number in the billions: the walk goes from one listed number to the next.
      {"a listed number in the billions after hidden unlisted ones", R"([SectionNames]
SectionCount=2000000000
Section01=A
Section2000000000=B
[Section01]
ItemCount=2000000000
Item01=X
Item2000000000=Y
[_Filter]
SectionEnable=0
[A_Filter]
=0
)",
       "A[X Y] B[]"},
  };
  LoadedCatalogue loaded;
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Outline(loaded.Load(c.file)), c.outline);
  }
}

// The walk over every listed entry: hidden classes and items, and those past the declared counts or the record's
// room, are read through; numbers nobody lists are not.
TEST(Loader, EveryListedWalkReadsWhatAnyFilterCouldShow) {
  struct Walked : LoadObserver {
    std::string out;
    void Section(LONG n, LONG slot) override { out += " " + std::to_string(n) + (slot < 0 ? "-" : "+"); }
    void Item(LONG n, LONG m, LONG, LONG slot) override {
      out += " " + std::to_string(n) + "." + std::to_string(m) + (slot < 0 ? "-" : "+");
    }
    void Read(const LoadRead &read) override {
      if (read.name.field == FileField::ItemTitle) out += "'" + Text(read.text) + "'";
    }
  } walked;
  IniFile ini;
  const std::string text = R"([SectionNames]
SectionCount=1
Section01=A
Section03=B
[Section01]
ItemCount=1
Item01=X
Item02=Y
[Section03]
ItemCount=5
Item04=Z
[A_Filter]
Y=0
[B_Filter]
SectionEnable=0
[A_Lang_EN]
Y_Title=Hidden
[B_Lang_EN]
Z_Title=Zed
)";
  ini.Parse(reinterpret_cast<const BYTE *>(text.data()), text.size(), 1252);
  UniqueCatalogue record = NewCatalogue();
  LoadCatalogue(*record.get(), IniSource(ini), 1033, &walked, LoadWalk::EveryListed);
  EXPECT_EQ(walked.out, " 1+'' 1.1+'Hidden' 1.2- 3-'Zed' 3.4+");
  EXPECT_EQ(record.get()->SectionCount, 0);
}

TEST(Loader, ShownSectionsAndItemsBeyondTheRecordAreIgnored) {
  std::string text = "[SectionNames]\nSectionCount=12\n";
  for (int n = 1; n <= 12; ++n) text += "Section" + std::string(n < 10 ? "0" : "") + std::to_string(n) + "=S" +
                                        std::to_string(n) + "\n";
  text += "[Section01]\nItemCount=40\n";
  for (int m = 1; m <= 40; ++m)
    text += "Item" + std::string(m < 10 ? "0" : "") + std::to_string(m) + "=I" + std::to_string(m) + "\n";
  LoadedCatalogue loaded;
  SettingsCatalogue &c = loaded.Load(text);
  EXPECT_EQ(c.SectionCount, kMaxSections);
  EXPECT_EQ(Text(c.Sections[9].Key), "S10");
  EXPECT_EQ(c.Sections[0].ItemCount, kMaxItems);
  EXPECT_EQ(Text(c.Sections[0].Items[31].Key), "I32");
}

TEST(Loader, LongTextsAreCutToTheirFields) {
  std::string longTitle(300, 't');
  LoadedCatalogue loaded;
  SettingsCatalogue &c = loaded.Load("[SectionNames]\nSectionCount=1\nSection01=A\nParameterRule=" + longTitle +
                                     "\n[Section01]\nItemCount=1\nItem01=X\nItem01Instruction=" + longTitle +
                                     "\n[A_Lang_EN]\nTitle=" + longTitle + "\nNote=" + longTitle +
                                     "\nX_Title=" + longTitle + "\n");
  EXPECT_EQ(Text(c.ParameterRule), std::string(19, 't'));
  EXPECT_EQ(Text(c.Sections[0].Title), std::string(127, 't'));
  EXPECT_EQ(Text(c.Sections[0].Note), std::string(255, 't'));
  EXPECT_EQ(Text(c.Sections[0].Items[0].Title), std::string(127, 't'));
  EXPECT_EQ(Text(c.Sections[0].Items[0].Instruction), std::string(63, 't'));
}

TEST(Loader, ChineseSectionsInCodePage936) {
  // "打印质量" and "浓度" in code page 936.
  std::string text = "[SectionNames]\nSectionCount=1\nSection01=P\n[Section01]\nItemCount=1\nItem01=D\n"
                     "[P_Lang_CN]\nTitle=\xB4\xF2\xD3\xA1\xD6\xCA\xC1\xBF\nD_Title=\xC5\xA8\xB6\xC8\n"
                     "[P_Rule_CN]\nD_RuleType=Enum\nD_Rule=0=\xC7\xB3 1=\xC9\xEE\n";
  LoadedCatalogue loaded;
  SettingsCatalogue &c = loaded.Load(text, 2052, 936);
  EXPECT_EQ(Text(c.Sections[0].Title), "打印质量");
  EXPECT_EQ(Text(c.Sections[0].Items[0].Title), "浓度");
  const SettingsItem &item = c.Sections[0].Items[0];
  EXPECT_EQ(Options(item), "0=浅;1=深;");
}

}  // namespace
