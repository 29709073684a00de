// File names whose bytes are no UTF-8, as an archive made on another system unpacks them on Linux: each is read and
// written under the name it has.
#include <fstream>
#include <iterator>

#include "tests/tools/tool_fixture.h"

namespace {

using FileNameTest = ToolTest;

TEST_F(FileNameTest, NamesThatAreNoUtf8AreReadAndWrittenAsTheyAre) {
  const std::string text = ReadSourceFile("tests/tools/findings/clean.ini");
  const std::string kept = File("", "names.keep"), folder = kept.substr(0, kept.rfind('/') + 1);
  // "latéin" in Latin-1, and "标签" in code page 936.
  for (const std::string &name : {std::string("lat\xE9in.ini"), std::string("\xB1\xEA\xC7\xA9.ini")}) {
    const std::string path = folder + name;
    std::ofstream(path, std::ios::binary) << text;
    const prnset::WString wide = prnset::WidenEscaped(path);
    ToolRun checked = RunTool(std::vector<prnset::WString>{Wide("check"), wide, Wide("--quiet")});
    EXPECT_EQ(checked.code, 0) << checked.out << checked.err;
    const std::string out = path + ".prn";
    ToolRun job = RunTool(
        std::vector<prnset::WString>{Wide("job"), wide, Wide("--all"), Wide("--out"), prnset::WidenEscaped(out)});
    EXPECT_EQ(job.code, 0) << job.err;
    std::ifstream written(out, std::ios::binary);
    EXPECT_TRUE(written.good()) << "no job file under the name given";
  }
}

}  // namespace
