// Command jobs as they reach the printer: on Linux through the emulated spooler, under Wine through the real one to
// the file its port writes.
#include "page/command_job.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "catalogue/registry.h"
#include "tests/page/job_capture.h"
#include "tests/support/test_machine.h"

namespace {

const WCHAR kPrinter[] = WTEXT("Settings Job Printer");
const WCHAR kDriver[] = WTEXT("Prnset JobTest");

// The example settings file: one shown item, Density, with Dark (2) as its default.
const char kExampleFile[] =
    "[SectionNames]\nSectionCount=2\nSection01=Print\nSection02=Service\nEnterInstruction=1B 40\n"
    "SaveInstruction=1B 53\nParameterRule=High256\n"
    "[Section01]\nItemCount=2\nItem01=Density\nItem01Instruction=1B 44\nItem02=Speed\nItem02Instruction=1B 56\n"
    "[Section02]\nItemCount=1\nItem01=Clean\nItem01Instruction=1B 43\n"
    "[Print_Filter]\nSpeed=0\n[Service_Filter]\nSectionEnable=0\n"
    "[Print_Lang_EN]\nTitle=Print quality\nDensity_Title=Density\nDensity_Note=Darker or lighter print\n"
    "[Print_Lang_CN]\nTitle=Print quality\nDensity_Title=Density\n"
    "[Print_Rule_EN]\nDensity_RuleType=Enum\nDensity_Rule=0=Light 1=Normal 2=Dark 3=Unchanged\n"
    "[Print_Rule_CN]\nDensity_RuleType=Enum\nDensity_Rule=0=Light 1=Normal 2=Dark 3=Unchanged\n"
    "[Print_Default]\nDensity=2\n";

// The worked example of the job: one item of two parameter bytes with a tail, framed by 1B 45 and 1B 53.
const char kFramedFile[] =
    "[SectionNames]\nSectionCount=1\nSection01=Main\nEnterInstruction=1B 45\nSaveInstruction=1B 53\n"
    "InstructionTail=0D\nParameterRule=High256\n"
    "[Section01]\nItemCount=1\nItem01=Width\nItem01Instruction=1B 40\nItem01ParameterCount=2\n"
    "[Main_Rule_EN]\nWidth_RuleType=Enum\nWidth_Rule=300=Three hundred\n"
    "[Main_Rule_CN]\nWidth_RuleType=Enum\nWidth_Rule=300=Three hundred\n"
    "[Main_Default]\nWidth=300\n";

using testing_machine::Hex;

class CommandJob : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_machine::Reset();
    capture_.reset(new JobCapture());
    if (!capture_->Ready()) GTEST_SKIP() << "jobs cannot be seen on this machine";
    handles_ = OpenPrinterHandleCount();
  }

  void TearDown() override {
    if (open_) ReleaseCatalogue(kPrinter);
    FailSpooler("");
    EXPECT_EQ(OpenPrinterHandleCount(), handles_) << "a printer handle was left open";
    capture_.reset();
    testing_machine::Reset();
  }

  // The page's catalogue for a settings file, as the page opens it.
  SettingsCatalogue &Open(const std::string &file) {
    testing_machine::WriteSettingsFile(kDriver, file);
    if (!printerAdded_) {
      EXPECT_TRUE(testing_machine::AddTestPrinter(kPrinter, kDriver));
      printerAdded_ = true;
    }
    EXPECT_EQ(OpenCatalogue(kPrinter), 1);
    open_ = true;
    SettingsCatalogue *catalogue = FindCatalogue(kPrinter);
    if (!catalogue) {
      ADD_FAILURE() << "no catalogue";
      static SettingsCatalogue empty{};
      return empty;
    }
    return *catalogue;
  }

  // The job that reached the printer since the last look, as hexadecimal pairs, or "<nothing>".
  std::string Sent() {
    CapturedJob job = capture_->Take();
    return job.sent ? Hex(job.bytes) : "<nothing>";
  }

  std::unique_ptr<JobCapture> capture_;
  long handles_ = 0;
  bool open_ = false;
  bool printerAdded_ = false;
};

TEST(HexText, BlanksCarryNoMeaningAndEveryOtherCharacterMustBeADigit) {
  struct {
    LPCWSTR text;
    DWORD capacity;
    const char *bytes;  // "" for none
  } cases[] = {
      {WTEXT("1B 40"), 8, "1B 40"},
      {WTEXT("1B40"), 8, "1B 40"},
      {WTEXT("1 B4 0"), 8, "1B 40"},
      {WTEXT(" 0a ff "), 8, "0A FF"},
      {WTEXT("1B 40"), 2, "1B 40"},  // exactly the capacity
      {WTEXT("1B 40"), 1, ""},       // one byte too many
      {WTEXT(""), 8, ""},
      {WTEXT("   "), 8, ""},
      {WTEXT("1B 4"), 8, ""},    // odd number of digits
      {WTEXT("1B\t40"), 8, ""},  // a tab is not a blank
      {WTEXT("1G"), 8, ""},
      {WTEXT("0x1B"), 8, ""},
  };
  for (const auto &c : cases) {
    BYTE out[8];
    for (BYTE &b : out) b = 0xEE;
    DWORD n = HexTextToBytes(c.text, out, c.capacity);
    EXPECT_EQ(Hex(std::vector<BYTE>(out, out + n)), c.bytes) << Utf8(c.text);
    for (DWORD i = n; i < 8; ++i) EXPECT_EQ(out[i], 0xEE) << Utf8(c.text) << " wrote past its bytes";
  }
  EXPECT_EQ(HexTextToBytes(nullptr, nullptr, 4), 0u);
}

TEST_F(CommandJob, WorkedExamplesSendTheFramedCommand) {
  Open(kFramedFile);
  // Two parameter bytes make a multi-choice item: its choice is the value itself.
  EXPECT_EQ(SendItemCommand(300, 0, 0, kPrinter), 1);
  EXPECT_EQ(Sent(), "1B 45 1B 40 01 2C 0D 1B 53");
  EXPECT_EQ(SendAllCommands(kPrinter), 1);
  EXPECT_EQ(Sent(), "1B 45 1B 40 01 2C 0D 1B 53");
  ReleaseCatalogue(kPrinter);

  Open(kExampleFile);
  EXPECT_EQ(SendItemCommand(2, 0, 0, kPrinter), 1);  // Dark
  EXPECT_EQ(Sent(), "1B 40 1B 44 02 1B 53");
  EXPECT_EQ(SendAllCommands(kPrinter), 1);
  EXPECT_EQ(Sent(), "1B 40 1B 44 02 1B 53");
}

TEST_F(CommandJob, FrameAndCommandTexts) {
  const std::string compact62(62, 'A');  // 31 bytes AA without a blank
  const std::string compact48(48, 'C');  // 24 bytes CC
  struct {
    const char *name;
    std::string enter, save, instruction;
    const char *sent;
  } cases[] = {
      {"no frame", "", "", "1B 44", "1B 44 02"},
      {"stray tab in the frame", "1B\t40", "1B 53", "1B 44", "1B 44 02 1B 53"},
      {"odd frame", "1B 4", "1B 5", "1B 44", "1B 44 02"},
      {"frame that is no hex", "1B 40", "zz", "1B 44", "1B 40 1B 44 02"},
      {"no blanks", "1B40", "1B53", "1B44", "1B 40 1B 44 02 1B 53"},
      {"odd command", "1B 40", "1B 53", "1B 4", "<nothing>"},
      {"command that is no hex", "1B 40", "1B 53", "1B 4G", "<nothing>"},
      {"empty instruction", "1B 40", "1B 53", "", "1B 40 02 1B 53"},
  };
  SettingsCatalogue &catalogue = Open(kExampleFile);
  SettingsItem &density = catalogue.Sections[0].Items[0];
  for (const auto &c : cases) {
    lstrcpynW(catalogue.EnterInstruction, Wide(c.enter).c_str(), 50);
    lstrcpynW(catalogue.SaveInstruction, Wide(c.save).c_str(), 50);
    lstrcpynW(density.Instruction, Wide(c.instruction).c_str(), 64);
    const int expected = std::string(c.sent) == "<nothing>" ? 0 : 1;
    EXPECT_EQ(SendItemCommand(2, 0, 0, kPrinter), expected) << c.name;
    EXPECT_EQ(Sent(), c.sent) << "Set Current, " << c.name;
    EXPECT_EQ(SendAllCommands(kPrinter), expected) << c.name;
    EXPECT_EQ(Sent(), c.sent) << "Set All, " << c.name;
  }

  // Texts written without blanks take half the room of spaced ones: all of them still go out.
  lstrcpynW(catalogue.EnterInstruction, Wide(compact48).c_str(), 50);
  lstrcpynW(catalogue.SaveInstruction, Wide(compact48).c_str(), 50);
  lstrcpynW(density.Instruction, Wide(compact62).c_str(), 64);
  std::string cc = Hex(std::vector<BYTE>(24, 0xCC)), aa = Hex(std::vector<BYTE>(31, 0xAA));
  EXPECT_EQ(SendItemCommand(2, 0, 0, kPrinter), 1);
  EXPECT_EQ(Sent(), cc + " " + aa + " 02 " + cc);
}

TEST_F(CommandJob, SetCurrentSendsNothingWithoutAChosenCommand) {
  SettingsCatalogue &catalogue = Open(kExampleFile);
  ASSERT_EQ(catalogue.Sections[0].Items[0].OptionCount, 4u);
  // The fourth option becomes the no-command value (an Enum rule reads at most five characters of a value).
  catalogue.Sections[0].Items[0].Options->Next->Next->Next->Value = -32767;
  struct {
    LONG choice, item, section;
  } cases[] = {
      {-1, 0, 0},  // no option chosen
      {4, 0, 0},   // no option at that row
      {3, 0, 0},   // the no-command value
      {0, 1, 0},   // no such item
      {0, 0, 1},   // no such section
  };
  for (const auto &c : cases) {
    EXPECT_EQ(SendItemCommand(c.choice, c.item, c.section, kPrinter), 0) << c.choice << "/" << c.item;
    EXPECT_EQ(Sent(), "<nothing>");
  }
  EXPECT_EQ(SendItemCommand(2, 0, 0, WTEXT("Printer Without Page")), 0);
  EXPECT_EQ(SendAllCommands(WTEXT("Printer Without Page")), 0);
  EXPECT_EQ(Sent(), "<nothing>");
}

TEST_F(CommandJob, SetAllEncodesEveryCurrentValue) {
  SettingsCatalogue &catalogue = Open(kExampleFile);
  SettingsItem &density = catalogue.Sections[0].Items[0];
  density.CurrentValue = -32767;  // no lookup, no no-command test: its low byte goes out
  EXPECT_EQ(SendAllCommands(kPrinter), 1);
  EXPECT_EQ(Sent(), "1B 40 1B 44 01 1B 53");

  // A second section: the texts follow one another, and digits pair across items.
  catalogue.SectionCount = 2;
  SettingsSection &second = catalogue.Sections[1];
  second.ItemCount = 2;
  for (SettingsItem &item : second.Items) {
    item.Options = nullptr;
    item.OptionCount = 0;
    item.ParameterCount = 0;
    item.CurrentValue = 0;
  }
  lstrcpynW(second.Items[0].Instruction, WTEXT("1B 4"), 64);
  lstrcpynW(second.Items[1].Instruction, WTEXT("5 1C"), 64);
  density.CurrentValue = 1;
  EXPECT_EQ(SendAllCommands(kPrinter), 1);
  EXPECT_EQ(Sent(), "1B 40 1B 44 01 1B 45 1C 1B 53");

  lstrcpynW(second.Items[1].Instruction, WTEXT("5 1"), 64);  // odd in all
  EXPECT_EQ(SendAllCommands(kPrinter), 0);
  EXPECT_EQ(Sent(), "<nothing>");

  lstrcpynW(second.Items[1].Instruction, WTEXT("5 1C"), 64);
  second.Items[1].ParameterCount = 1;
  lstrcpynW(catalogue.ParameterRule, WTEXT("Ascii"), 20);  // Density and this item now have no text: send nothing
  EXPECT_EQ(SendAllCommands(kPrinter), 0);
  EXPECT_EQ(Sent(), "<nothing>");
  lstrcpynW(catalogue.ParameterRule, WTEXT("High256"), 20);

  catalogue.SectionCount = 0;
  EXPECT_EQ(SendAllCommands(kPrinter), 0);
  EXPECT_EQ(Sent(), "<nothing>");
  catalogue.SectionCount = 1;  // so that the release frees Density's options
}

TEST_F(CommandJob, SetAllSendsTheLargestCatalogueWhole) {
  SettingsCatalogue &catalogue = Open(kExampleFile);
  catalogue.SectionCount = kMaxSections;
  std::string expected = "1B 40";
  for (int s = 0; s < kMaxSections; ++s) {
    catalogue.Sections[s].ItemCount = kMaxItems;
    for (int i = 0; i < kMaxItems; ++i) {
      SettingsItem &item = catalogue.Sections[s].Items[i];
      if (s || i) {
        item.Options = nullptr;
        item.OptionCount = 0;
      }
      std::string instruction = "1B " + Hex({BYTE(s)}) + " " + Hex({BYTE(i)});
      lstrcpynW(item.Instruction, Wide(instruction).c_str(), 64);
      item.ParameterCount = 20;  // 60 characters of parameters: 320 items need far more than 6,000 characters
      item.CurrentValue = s * 100 + i;
      std::vector<BYTE> parameters(18, 0);
      parameters.push_back(BYTE((s * 100 + i) >> 8));
      parameters.push_back(BYTE(s * 100 + i));
      expected += " " + instruction + " " + Hex(parameters);
    }
  }
  expected += " 1B 53";
  EXPECT_EQ(SendAllCommands(kPrinter), 1);
  EXPECT_EQ(Sent(), expected);
}

}  // namespace
