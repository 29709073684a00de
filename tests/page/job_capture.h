// What reached the printer: on Linux the emulated spooler's job list, under Wine the file that the spooler's port
// "LPT1:" is mapped to (the test printers use that port).
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/test_machine.h"

struct CapturedJob {
  bool sent = false;  // a job reached the printer since the last take
  std::vector<BYTE> bytes;
};

class JobCapture {
 public:
  JobCapture();
  ~JobCapture();
  JobCapture(const JobCapture &) = delete;
  JobCapture &operator=(const JobCapture &) = delete;

  // False when jobs cannot be seen on this machine (the test then skips).
  bool Ready() const { return ready_; }
  // The job sent since the last take, if any.
  CapturedJob Take();

 private:
  bool ready_ = false;
  [[maybe_unused]] size_t seen_ = 0;  // Linux: jobs already taken
  WString file_;        // Windows: where the port writes
};

// Printer handles still open (Linux); -1 where the platform does not tell.
long OpenPrinterHandleCount();

// Makes the next OpenPrinterW or WritePrinter fail (Linux); false where the test cannot do that.
bool FailSpooler(const char *function);
