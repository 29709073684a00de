// prnset preview on Linux: the page is a Windows window, so the tool says where to run it and leaves nothing behind.
#include "catalogue/registry.h"
#include "tests/tools/tool_fixture.h"

namespace {

using PreviewHostTest = ToolTest;

TEST_F(PreviewHostTest, SaysWhereThePageCanBeSeenAndLeavesNothingOpen) {
  const std::string file = SourcePath(kOfficeLaser);
  for (const std::vector<std::string> &args :
       {std::vector<std::string>{"preview", file}, {"preview", file, "--printer", "Office", "--lang", "cn"}}) {
    ToolRun run = RunTool(args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.out, "") << "the page was announced but never shown";
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find("scripts/preview"), std::string::npos) << run.err;
  }
  EXPECT_EQ(OpenCatalogueCount(), 0);
}

}  // namespace
