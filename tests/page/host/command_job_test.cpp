// The raw job as the emulated spooler records it: its name, type and ending, and what happens when the spooler
// refuses a step. Under Wine the job's bytes are checked by tests/page/command_job_test.cpp.
#include <gtest/gtest.h>

#include "catalogue/registry.h"
#include "page/command_job.h"
#include "platform/host/control.h"
#include "tests/support/test_machine.h"

namespace {

const WCHAR kPrinter[] = WTEXT("Raw Job Printer");
const BYTE kBytes[] = {0x1B, 0x40, 0x0D};

class RawJob : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_machine::Reset();
    ASSERT_TRUE(testing_machine::AddTestPrinter(kPrinter, WTEXT("Prnset RawJob")));
    handles_ = host::OpenPrinterHandles();
  }
  void TearDown() override {
    EXPECT_EQ(host::OpenPrinterHandles(), handles_) << "a printer handle was left open";
    testing_machine::Reset();
  }
  long handles_ = 0;
};

TEST_F(RawJob, IsOneRawDocumentNamedInTheThreadsLanguage) {
  struct {
    LANGID language;
    const char *document;
  } cases[] = {{1033, "Printer Setting Job"}, {2052, "打印机设置任务"}, {1031, "Printer Setting Job"}};
  for (const auto &c : cases) {
    host::SetThreadUILanguage(c.language);
    ASSERT_TRUE(SendRawJob(kBytes, sizeof(kBytes), kPrinter));
    host::Job job = host::Jobs().back();
    EXPECT_EQ(Utf8(job.printer), Utf8(kPrinter));
    EXPECT_EQ(Utf8(job.document), c.document);
    EXPECT_EQ(Utf8(job.datatype), "RAW");
    EXPECT_EQ(job.bytes, std::vector<BYTE>(kBytes, kBytes + sizeof(kBytes)));
    EXPECT_EQ(job.pages, 1);
    EXPECT_TRUE(job.ended);
    EXPECT_TRUE(job.closed);
  }
  EXPECT_EQ(host::Jobs().size(), 3u);
}

TEST_F(RawJob, ASpoolerThatRefusesAStepGetsNoSuccess) {
  struct {
    const char *failing;
    BOOL result;
    bool recorded;  // a job was started
  } cases[] = {
      {"OpenPrinterW", FALSE, false},
      {"StartDocPrinterW", FALSE, false},
      {"StartPagePrinter", TRUE, true},  // a raw job needs no page
      {"WritePrinter", FALSE, true},
      {"EndPagePrinter", TRUE, true},
      {"EndDocPrinter", FALSE, true},  // the job never left the spooler
  };
  for (const auto &c : cases) {
    host::FailSpoolerCall(c.failing);
    size_t before = host::Jobs().size();
    EXPECT_EQ(SendRawJob(kBytes, sizeof(kBytes), kPrinter), c.result) << c.failing;
    std::vector<host::Job> jobs = host::Jobs();
    ASSERT_EQ(jobs.size(), before + (c.recorded ? 1 : 0)) << c.failing;
    if (c.recorded) {
      EXPECT_TRUE(jobs.back().closed) << c.failing;
      EXPECT_EQ(jobs.back().ended, std::string(c.failing) != "EndDocPrinter") << c.failing;
    }
    EXPECT_EQ(host::OpenPrinterHandles(), handles_) << c.failing;
    host::FailSpoolerCall("");
  }
}

TEST_F(RawJob, GoesOnlyToThePrinterNamedWhole) {
  EXPECT_FALSE(SendRawJob(kBytes, sizeof(kBytes), WTEXT("Another Printer")));
  // A name longer than the spooler's buffer is not cut down to one that might exist.
  WString longName = kPrinter;
  longName += WString(260, WCHAR('x'));
  testing_machine::AddTestPrinter(longName.substr(0, 259), WTEXT("Prnset RawJob"));
  EXPECT_FALSE(SendRawJob(kBytes, sizeof(kBytes), longName.c_str()));
  // Exactly 260 characters do not fit either, even when the spooler knows such a printer; 259 do.
  testing_machine::AddTestPrinter(longName.substr(0, 260), WTEXT("Prnset RawJob"));
  EXPECT_FALSE(SendRawJob(kBytes, sizeof(kBytes), longName.substr(0, 260).c_str()));
  EXPECT_TRUE(host::Jobs().empty());
  EXPECT_TRUE(SendRawJob(kBytes, sizeof(kBytes), longName.substr(0, 259).c_str()));
  ASSERT_EQ(host::Jobs().size(), 1u);
  EXPECT_EQ(host::Jobs()[0].printer, longName.substr(0, 259));
  host::ClearJobs();
  EXPECT_FALSE(SendRawJob(kBytes, sizeof(kBytes), nullptr));
  EXPECT_FALSE(SendRawJob(nullptr, 3, kPrinter));
  EXPECT_TRUE(host::Jobs().empty());
}

TEST_F(RawJob, SendsNothingWhenMemoryRunsOut) {
  testing_machine::WriteSettingsFile(WTEXT("Prnset RawJob"),
                                     "[SectionNames]\nSectionCount=1\nSection01=A\nParameterRule=High256\n"
                                     "[Section01]\nItemCount=1\nItem01=X\nItem01Instruction=1B\n"
                                     "[A_Rule_EN]\nX_RuleType=Enum\nX_Rule=5=Five\n[A_Default]\nX=5\n");
  ASSERT_EQ(OpenCatalogue(kPrinter), 1);
  host::HeapStats before = host::GetHeapStats(GetProcessHeap());
  for (long n : {1, 2}) {
    host::FailAllocationAfter(n);  // the text, then the bytes
    EXPECT_EQ(SendItemCommand(0, 0, 0, kPrinter), 0) << n;
    host::FailAllocationAfter(n);
    EXPECT_EQ(SendAllCommands(kPrinter), 0) << n;
    host::FailAllocationAfter(0);
  }
  EXPECT_TRUE(host::Jobs().empty());
  EXPECT_EQ(host::GetHeapStats(GetProcessHeap()).blocks, before.blocks) << "a buffer was not freed";
  EXPECT_EQ(SendItemCommand(0, 0, 0, kPrinter), 1);
  EXPECT_EQ(host::GetHeapStats(GetProcessHeap()).blocks, before.blocks);
  ReleaseCatalogue(kPrinter);
}

}  // namespace
