// The emulation's file calls and a named pipe, which the platform's disk files never are: refused at once, not waited
// on for a writer or a reader that may never come.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "platform/platform.h"
#include "tests/support/test_machine.h"

namespace {

TEST(NamedPipe, IsRefusedWithoutWaiting) {
  const std::string fifo = "/tmp/prnset-named-pipe-" + std::to_string(::getpid());
  ::unlink(fifo.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const WString path = Wide(fifo);
  for (bool write : {false, true}) {
    SCOPED_TRACE(write ? "to write" : "to read");
    HANDLE file = write ? CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr)
                        : CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(file, INVALID_HANDLE_VALUE);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  }
  ::unlink(fifo.c_str());
}

}  // namespace
