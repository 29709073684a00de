// prnset job against the page's own Set All and Set Current through the emulated spooler: the bytes the tool prints
// are the bytes the page sends, and --printer hands them to the spooler as one raw job.
#include "catalogue/registry.h"
#include "page/command_job.h"
#include "platform/host/control.h"
#include "tests/tools/tool_fixture.h"

namespace {

class JobSpoolerTest : public ToolTest {
 protected:
  void SetUp() override {
    ToolTest::SetUp();
    host::FailSpoolerCall("");
    testing_machine::WriteSettingsFile(kDriver, ReadSourceFile(kOfficeLaser));
    ASSERT_TRUE(testing_machine::AddTestPrinter(kPrinter, kDriver));
  }
  void TearDown() override {
    host::FailSpoolerCall("");
    ToolTest::TearDown();
  }

  // A job as prnset job prints it.
  static std::string HexOf(const std::vector<BYTE> &bytes) { return testing_machine::Hex(bytes) + "\n"; }

  const WString kDriver = u"Generic Office Laser 300";
  const WString kPrinter = u"Front Office";
};

TEST_F(JobSpoolerTest, TheToolPrintsWhatThePageSends) {
  ASSERT_EQ(OpenCatalogue(kPrinter.c_str()), 1);
  EXPECT_EQ(SendAllCommands(kPrinter.c_str()), 1);
  EXPECT_EQ(SendItemCommand(4, 0, 0, kPrinter.c_str()), 1);
  EXPECT_EQ(SendItemCommand(0xA00000, 3, 1, kPrinter.c_str()), 1);
  EXPECT_EQ(SendItemCommand(0, 2, 1, kPrinter.c_str()), 1);
  ReleaseCatalogue(kPrinter.c_str());

  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), 4u);
  const std::vector<std::string> tool[] = {
      {"--all"},
      {"--section", "0", "--item", "0", "--choice", "4"},
      {"--section", "1", "--item", "3", "--choice", "0xA00000"},
      {"--section", "1", "--item", "2", "--choice", "0"},
  };
  for (size_t i = 0; i < jobs.size(); ++i) {
    std::vector<WString> args = {u"job", Wide(SourcePath(kOfficeLaser))};
    for (const std::string &arg : tool[i]) args.push_back(Wide(arg));
    SCOPED_TRACE(i);
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, HexOf(jobs[i].bytes));
  }
}

// Every form of prnset job (printed, --out, --printer) gives the bytes the page's Set All and Set Current send, on
// the examples and on a file whose hex is written without blanks and whose tail is one digit (left out).
TEST_F(JobSpoolerTest, EveryFormSendsWhatThePageSends) {
  const std::string compact =
      "[SectionNames]\nSectionCount=1\nSection01=S\nEnterInstruction=1B45\nSaveInstruction=1b53\n"
      "InstructionTail=0\nParameterRule=High256\n[Section01]\nItemCount=2\nItem01=A\nItem01Instruction=1B40\n"
      "Item01ParameterCount=2\nItem02=B\nItem02Instruction=1B4C\n[S_Rule_EN]\nA_RuleType=Enum\nA_Rule=300=X 7=Y\n"
      "B_RuleType=Serial\nB_Rule=1 3 1\n[S_Default]\nA=300\nB=2\n";
  const struct {
    std::string name, text;
    LONG section, item, choice;
  } files[] = {
      {"office laser", ReadSourceFile(kOfficeLaser), 1, 3, 0xA00000},
      {"label printer", ReadSourceFile(kLabelPrinter), 1, 1, 9},
      {"compact hex", compact, 0, 0, 1},
  };
  for (const auto &f : files) {
    SCOPED_TRACE(f.name);
    testing_machine::WriteSettingsFile(kDriver, f.text);
    const std::string path = File(f.text);
    host::ClearJobs();
    ASSERT_EQ(OpenCatalogue(kPrinter.c_str()), 1);
    EXPECT_EQ(SendAllCommands(kPrinter.c_str()), 1);
    EXPECT_EQ(SendItemCommand(f.choice, f.item, f.section, kPrinter.c_str()), 1);
    ReleaseCatalogue(kPrinter.c_str());
    const std::vector<host::Job> page = host::Jobs();
    ASSERT_EQ(page.size(), 2u);

    const std::vector<std::string> forms[] = {
        {"--all"},
        {"--section", std::to_string(f.section), "--item", std::to_string(f.item), "--choice",
         std::to_string(f.choice)}};
    for (size_t j = 0; j < 2; ++j) {
      std::vector<std::string> args = {"job", path};
      args.insert(args.end(), forms[j].begin(), forms[j].end());
      EXPECT_EQ(RunTool(args).out, HexOf(page[j].bytes));

      const std::string out = File("", "job.prn");
      std::vector<std::string> toFile = args;
      toFile.insert(toFile.end(), {"--out", out});
      ASSERT_EQ(RunTool(toFile).code, 0);
      std::ifstream in(out, std::ios::binary);
      EXPECT_EQ(std::vector<BYTE>(std::istreambuf_iterator<char>(in), {}), page[j].bytes);

      host::ClearJobs();
      std::vector<std::string> toPrinter = args;
      toPrinter.insert(toPrinter.end(), {"--printer", Utf8(kPrinter)});
      ASSERT_EQ(RunTool(toPrinter).code, 0);
      ASSERT_EQ(host::Jobs().size(), 1u);
      EXPECT_EQ(host::Jobs()[0].bytes, page[j].bytes);
    }
  }
}

TEST_F(JobSpoolerTest, PrinterOptionSendsOneRawJob) {
  ToolRun printed = RunTool({"job", SourcePath(kOfficeLaser), "--all"});
  ToolRun sent = RunTool({"job", SourcePath(kOfficeLaser), "--all", "--printer", Utf8(kPrinter)});
  EXPECT_EQ(sent.code, 0) << sent.err;
  EXPECT_EQ(sent.out, "Sent 64 bytes to the printer Front Office.\n");
  std::vector<host::Job> jobs = host::Jobs();
  ASSERT_EQ(jobs.size(), 1u);
  EXPECT_EQ(jobs[0].printer, kPrinter);
  EXPECT_EQ(jobs[0].datatype, u"RAW");
  EXPECT_EQ(jobs[0].document, u"Printer Setting Job");
  EXPECT_TRUE(jobs[0].ended);
  EXPECT_EQ(HexOf(jobs[0].bytes), printed.out);
  EXPECT_EQ(host::OpenPrinterHandles(), 0);

  // A printer the spooler does not know is a wrong command line, told apart from a refused job.
  ToolRun unknown = RunTool({"job", SourcePath(kOfficeLaser), "--all", "--printer", "Nobody's printer"});
  EXPECT_EQ(unknown.code, 2);
  EXPECT_NE(unknown.err.find("there is no printer \"Nobody's printer\""), std::string::npos) << unknown.err;
  EXPECT_EQ(host::Jobs().size(), 1u);  // the one sent above, and no other

  host::FailSpoolerCall("WritePrinter");
  ToolRun failed = RunTool({"job", SourcePath(kOfficeLaser), "--all", "--printer", Utf8(kPrinter)});
  EXPECT_EQ(failed.code, 1);
  EXPECT_EQ(failed.out, "");
  EXPECT_TRUE(IsOneLine(failed.err)) << failed.err;
  EXPECT_EQ(host::OpenPrinterHandles(), 0);
}

}  // namespace
