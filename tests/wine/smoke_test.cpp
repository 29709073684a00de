#include <gtest/gtest.h>

#include "tests/support/test_machine.h"

// The Windows side of the harness can see the spooler's driver directory.
TEST(WineMachine, DriverDirectoryIsReported) { EXPECT_FALSE(testing_machine::DriverDirectory().empty()); }
