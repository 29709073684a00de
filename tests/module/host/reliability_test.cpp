// Long runs of what a printer's property sheets do to the plug-in inside someone else's process: pages of two
// printers driven side by side on two threads, and many open-and-release cycles, which must leave nothing behind.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <thread>

#include "catalogue/registry.h"
#include "docoptions/property_items.h"
#include "resources/module_instance.h"
#include "page/command_job.h"
#include "page/settings_page.h"
#include "platform/host/control.h"
#include "platform/host/window_control.h"
#include "tests/page/settings_page_scenarios.h"
#include "tests/support/test_machine.h"

namespace {

using page_scenarios::Click;
using page_scenarios::Hex;

// A property sheet with the page on it, on the calling thread.
struct Sheet {
  HWND window = nullptr;
  HWND page = nullptr;
  explicit Sheet(const WString &printer) {
    window = host::CreateSheetWindow(printer + u" Properties");
    page = CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(106), window, PrinterSettingsPageProc, 0);
  }
  ~Sheet() { DestroyWindow(window); }
};

class Reliability : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_machine::Reset();
    // The page's settings, with both document options switched on for the printer-properties items.
    testing_machine::WriteSettingsFile(page_scenarios::Driver(),
                                       page_scenarios::SettingsFile() +
                                           "\r\n[Settings]\r\nLandscape_Compress=1\r\nXMoveEnable=1\r\nCount=3\r\n"
                                           "COMPRESS_VALUE1=90\r\nCOMPRESS_VALUE2=80\r\nCOMPRESS_VALUE3=70\r\n");
  }
  WString AddPrinter(const char *name) {
    WString printer = Wide(name);
    EXPECT_TRUE(testing_machine::AddTestPrinter(printer, page_scenarios::Driver()));
    return printer;
  }
};

TEST_F(Reliability, TwoPrintersOnTwoThreadsKeepTheirOwnJobs) {
  const WString printers[] = {AddPrinter("Busy Printer One"), AddPrinter("Busy Printer Two")};
  constexpr int kRounds = 1500;
  std::atomic<int> wrong{0};
  auto drive = [&](int which) {
    Sheet sheet(printers[which]);
    if (!sheet.page) {
      ++wrong;
      return;
    }
    int row = which == 0 ? 0 : 2;
    for (int round = 0; round < kRounds; ++round) {
      page_scenarios::ChooseClass(sheet.page, round % 2);
      page_scenarios::ChooseClass(sheet.page, 0);
      page_scenarios::ChooseItem(sheet.page, 1);
      page_scenarios::ChooseItem(sheet.page, 0);
      page_scenarios::ChooseSingle(sheet.page, row);
      Click(sheet.page, round % 3 == 2 ? IDC_SET_ALL : IDC_SET_CURRENT);
      std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
      if (boxes.size() != 1 || boxes[0].caption != printers[which]) ++wrong;
    }
  };
  std::thread one(drive, 0), two(drive, 1);
  one.join();
  two.join();
  EXPECT_EQ(wrong.load(), 0);

  // Each printer's jobs carry its own choice; none went to the other printer.
  std::string current[2], all[2];
  int count[2] = {0, 0};
  for (const host::Job &job : host::Jobs()) {
    int which = job.printer == printers[0] ? 0 : 1;
    ASSERT_TRUE(job.printer == printers[which]);
    ++count[which];
    std::string bytes = Hex(job.bytes);
    std::string &first = job.bytes.size() <= 9 ? current[which] : all[which];
    if (first.empty()) first = bytes;
    EXPECT_EQ(bytes, first) << "printer " << which;
    EXPECT_TRUE(job.ended && job.closed);
  }
  EXPECT_EQ(count[0], kRounds);
  EXPECT_EQ(count[1], kRounds);
  EXPECT_NE(current[0], current[1]);
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

// Steps two threads take in turn: each waits until the other has reached the step it needs.
class Steps {
 public:
  void Reach(int step) {
    std::lock_guard<std::mutex> lock(mutex_);
    step_ = step;
    changed_.notify_all();
  }
  void WaitFor(int step) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [&] { return step_ >= step; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  int step_ = 0;
};

// Two pages of one printer on two threads: the first could not open its catalogue (no room for the record). In each
// cycle it presses Set All while the second page is open, while the second closes, and after it closed: a page
// without a catalogue of its own never sends from another page's, whatever the other page does. The record goes
// with the last page.
TEST_F(Reliability, APageWithoutCatalogueWhileAnotherOfItsPrinterCloses) {
  const WString printer = AddPrinter("Shared Busy Printer");
  constexpr int kCycles = 300;
  Steps steps;
  std::atomic<int> sent{0}, refused{0}, raced{0}, wrong{0};
  enum class Outcome { kSent, kRefused, kWrong };
  std::thread first([&] {
    host::FailAllocationAfter(2);  // the catalogue record, the page's heap block after the spooler's driver answer
    Sheet sheet(printer);
    host::FailAllocationAfter(0);
    if (!sheet.page || OpenCatalogueCount() != 0) ++wrong;
    steps.Reach(1);  // no other page opens before this one has failed to get its catalogue
    auto setAll = [&] {
      Click(sheet.page, IDC_SET_ALL);
      std::vector<host::MessageBoxRecord> boxes = host::TakeMessageBoxes();
      if (boxes.size() != 1 || boxes[0].caption != printer) return Outcome::kWrong;
      return (boxes[0].type & MB_ICONERROR) ? Outcome::kRefused : Outcome::kSent;
    };
    for (int cycle = 0; cycle < kCycles; ++cycle) {
      const int step = 1 + cycle * 4;
      steps.WaitFor(step + 1);  // the second page is open
      const Outcome whileOpen = setAll();
      sent += whileOpen == Outcome::kSent;
      refused += whileOpen == Outcome::kRefused;
      steps.Reach(step + 2);    // the second page closes now, while this Set All runs
      const Outcome whileClosing = setAll();
      sent += whileClosing == Outcome::kSent;
      wrong += whileClosing == Outcome::kWrong;
      ++raced;
      steps.WaitFor(step + 3);  // the second page is gone
      if (setAll() == Outcome::kRefused) ++refused;
      steps.Reach(step + 4);
    }
  });
  std::thread second([&] {
    for (int cycle = 0; cycle < kCycles; ++cycle) {
      const int step = 1 + cycle * 4;
      steps.WaitFor(step);
      {
        Sheet sheet(printer);
        if (!sheet.page) ++wrong;
        steps.Reach(step + 1);
        steps.WaitFor(step + 2);
      }
      steps.Reach(step + 3);
    }
  });
  first.join();
  second.join();
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(raced.load(), kCycles);
  EXPECT_EQ(sent.load(), 0) << "the page without a catalogue sent from another page's";
  EXPECT_EQ(refused.load(), 2 * kCycles) << "Set All of the page without a catalogue did not say it failed";
  EXPECT_EQ(OpenCatalogueCount(), 0);
  EXPECT_EQ(FindCatalogue(printer.c_str()), nullptr);
}

// A printer whose spooler answers slowly holds up only its own page: another printer's lookup and a second page of
// the same printer go on meanwhile, and the two pages of the slow printer still share one catalogue.
TEST_F(Reliability, ASlowSpoolerHoldsUpOnlyItsOwnPage) {
  const WString slow = AddPrinter("Slow Network Printer"), quick = AddPrinter("Quick Printer");
  ASSERT_EQ(OpenCatalogue(quick.c_str()), 1);
  std::promise<void> stalled, resume;
  std::shared_future<void> resumed = resume.get_future().share();
  std::atomic<bool> stalling{true};
  host::SetOpenPrinterHook([&](const WString &name) {
    if (name == slow && stalling.exchange(false)) {
      stalled.set_value();
      resumed.wait();
    }
  });
  PageCatalogue slowFirst;
  std::thread opener([&] {
    slowFirst = OpenPageCatalogue(slow.c_str());
    EXPECT_TRUE(slowFirst);
  });
  stalled.get_future().wait();

  auto lookup = std::async(std::launch::async, [&] { return FindCatalogue(quick.c_str()) != nullptr; });
  const bool lookedUp = lookup.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  PageCatalogue slowSecond;
  auto secondPage = std::async(std::launch::async, [&] {
    slowSecond = OpenPageCatalogue(slow.c_str());
    return slowSecond ? 1 : 0;
  });
  const bool secondOpened = secondPage.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
  resume.set_value();
  opener.join();
  host::SetOpenPrinterHook(nullptr);

  EXPECT_TRUE(lookedUp) << "another printer's lookup waited for the slow spooler";
  EXPECT_TRUE(lookup.get());
  EXPECT_TRUE(secondOpened) << "a second page waited for the slow spooler";
  EXPECT_EQ(secondPage.get(), 1);
  // The second page registered first; the stalled page's own load was dropped in favour of it.
  ASSERT_TRUE(slowSecond);
  EXPECT_EQ(slowFirst.get(), slowSecond.get());
  EXPECT_EQ(FindCatalogue(slow.c_str()), slowSecond.get());
  EXPECT_GT(slowSecond.get()->SectionCount, 0);
  EXPECT_EQ(OpenCatalogueCount(), 2);
  slowFirst.reset();
  EXPECT_EQ(FindCatalogue(slow.c_str()), slowSecond.get());
  slowSecond.reset();
  ReleaseCatalogue(quick.c_str());
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

TEST_F(Reliability, AThousandCyclesLeaveNothingBehind) {
  WString printer = AddPrinter("Cycling Printer");
  HANDLE oemHeap = HeapCreate(0, 0, 0);
  HANDLE process = GetProcessHeap();
  host::HeapStats processBefore = host::GetHeapStats(process);
  long handlesBefore = host::OpenPrinterHandles();
  for (int cycle = 0; cycle < 1000; ++cycle) {
    {
      Sheet sheet(printer);
      ASSERT_NE(sheet.page, nullptr);
      page_scenarios::ChooseClass(sheet.page, cycle % 2);
      Click(sheet.page, IDC_SET_ALL);
      host::ClearMessageBoxes();
    }
    // A printer-properties build as the driver makes it: the count first, then the items.
    HANDLE handle = nullptr;
    ASSERT_TRUE(OpenPrinterW(const_cast<LPWSTR>(printer.c_str()), &handle, nullptr));
    OEMCUIPPARAM param = {};
    param.cbSize = sizeof(param);
    param.hPrinter = handle;
    param.pPrinterName = const_cast<LPWSTR>(printer.c_str());
    param.hModule = ModuleInstance();
    param.hOEMHeap = oemHeap;
    BuildPrinterPropertyItems(&param);
    ASSERT_EQ(param.cOEMOptItems, 2u);
    std::vector<OPTITEM> items(param.cOEMOptItems);
    for (OPTITEM &item : items) item.cbSize = sizeof(OPTITEM);
    param.pOEMOptItems = items.empty() ? nullptr : items.data();
    BuildPrinterPropertyItems(&param);
    ClosePrinter(handle);
    host::ClearJobs();
  }
  host::HeapStats processAfter = host::GetHeapStats(process);
  EXPECT_EQ(processAfter.blocks, processBefore.blocks);
  EXPECT_EQ(processAfter.bytes, processBefore.bytes);
  EXPECT_EQ(host::OpenPrinterHandles(), handlesBefore);
  EXPECT_EQ(host::LiveWindows(), 0);
  EXPECT_EQ(OpenCatalogueCount(), 0);
  // The driver's heap holds the items' blocks until the driver destroys it; the plug-in frees none of them.
  EXPECT_GT(host::GetHeapStats(oemHeap).blocks, 0);
  HeapDestroy(oemHeap);
}

}  // namespace
