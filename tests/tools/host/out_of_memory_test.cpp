// prnset when the heap has no room for the catalogue record: every command says so on one line and exits 2, as for
// input it cannot read, instead of ending the process.
#include "platform/host/control.h"
#include "tests/tools/tool_fixture.h"

namespace {

using OutOfMemory = ToolTest;

TEST_F(OutOfMemory, EveryCommandSaysSoAndExitsTwo) {
  const std::string file = SourcePath(kOfficeLaser);
  const std::vector<std::vector<std::string>> commands = {
      {"show", file},
      {"dump", file},
      {"check", file},
      {"encode", file, "--section", "0", "--item", "0", "--choice", "1"},
      {"job", file, "--all"},
  };
  for (const std::vector<std::string> &args : commands) {
    host::FailAllocationAfter(1);  // the catalogue record, the first block of the process heap a command takes
    ToolRun run = RunTool(args);
    host::FailAllocationAfter(0);
    EXPECT_EQ(run.code, 2) << args[0];
    EXPECT_EQ(run.err, "prnset " + args[0] + ": out of memory\n") << args[0];
  }
  // The preview keeps its own word and code for it.
  host::FailAllocationAfter(1);
  ToolRun preview = RunTool({"preview", file});
  host::FailAllocationAfter(0);
  EXPECT_EQ(preview.code, 1);
  EXPECT_EQ(preview.err, "prnset preview: no room for the page's catalogue\n");
}

}  // namespace
