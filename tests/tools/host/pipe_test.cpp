// Settings files given as pipes, as bash's <(iconv ...) gives them: read once, whole, and checked like the file.
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <iterator>
#include <thread>

#include "tests/tools/tool_fixture.h"

namespace {

using PipeTest = ToolTest;

TEST_F(PipeTest, APipeIsReadOnceAndToldLikeTheFile) {
  std::ifstream example(SourcePath(kOfficeLaser), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(example)), std::istreambuf_iterator<char>());
  for (const char *command : {"check", "show", "dump"}) {
    SCOPED_TRACE(command);
    const std::string fifo = File("", std::string("settings-") + command + ".fifo");
    ::unlink(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // The writer blocks until the tool opens the pipe, and the pipe gives its bytes to one reader only.
    std::thread writer([&] { std::ofstream(fifo, std::ios::binary) << bytes; });
    ToolRun piped = RunTool({command, fifo, "--lang", "cn"});
    writer.join();
    ToolRun plain = RunTool({command, SourcePath(kOfficeLaser), "--lang", "cn"});
    EXPECT_EQ(piped.code, plain.code) << piped.err;
    EXPECT_EQ(piped.err, "");
    // Everything but the file's name is the same.
    auto unnamed = [](std::string text, const std::string &name) {
      for (size_t at; (at = text.find(name)) != std::string::npos;) text.replace(at, name.size(), "FILE");
      return text;
    };
    EXPECT_EQ(unnamed(piped.out, fifo), unnamed(plain.out, SourcePath(kOfficeLaser)));
    EXPECT_NE(piped.out, "");
    ::unlink(fifo.c_str());
  }
}

}  // namespace
