// Runs the settings-file tool in-process, as its command line would, and keeps what it printed.
#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/test_machine.h"
#include "tools/prnset/prnset.h"

struct ToolRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Each argument as the user typed it (UTF-8); a WString argument is taken as it is.
inline ToolRun RunTool(const std::vector<WString> &args) {
  std::ostringstream out, err;
  ToolRun run;
  run.code = prnset::Run(args, out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

// The same with `input` as standard input and, when `out` is given, that stream as standard output.
inline ToolRun RunToolWith(std::initializer_list<std::string> args, const std::string &input,
                           std::ostream *out = nullptr) {
  std::vector<WString> wide;
  for (const std::string &arg : args) wide.push_back(Wide(arg));
  std::istringstream in(input);
  std::ostringstream text, err;
  ToolRun run;
  run.code = prnset::Run(wide, in, out ? *out : text, err);
  run.out = text.str();
  run.err = err.str();
  return run;
}

inline ToolRun RunTool(const std::vector<std::string> &args) {
  std::vector<WString> wide;
  for (const std::string &arg : args) wide.push_back(Wide(arg));
  return RunTool(wide);
}

inline ToolRun RunTool(std::initializer_list<std::string> args) { return RunTool(std::vector<std::string>(args)); }

// A file of the source tree as the tool and the tests reach it: under Wine the Linux root is drive Z:.
inline std::string SourcePath(const std::string &relative) {
#if defined(_WIN32)
  std::string path = std::string("Z:") + PRNSET_SOURCE_DIR + "/" + relative;
  for (char &c : path)
    if (c == '/') c = '\\';
  return path;
#else
  return std::string(PRNSET_SOURCE_DIR) + "/" + relative;
#endif
}

inline std::string ReadSourceFile(const std::string &relative) {
  std::ifstream in(SourcePath(relative), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

inline const std::string kOfficeLaser = "examples/Office Laser 300_Settings.Dat";
inline const std::string kLabelPrinter = "examples/Label Printer 40_Settings.Dat";

// A one-line complaint: exactly one line end, at the end.
inline bool IsOneLine(const std::string &text) {
  return !text.empty() && text.find('\n') == text.size() - 1;
}

// Replaces the first occurrence of `from`; a case whose anchor is gone is a broken case.
inline std::string Edit(std::string text, const std::string &from, const std::string &to) {
  size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

// One run of the tool as a row of a table: the command line (command, file, options), the exit code, and the text
// of the stream the tool writes to: all of standard output when it succeeds; otherwise a part of its one-line
// complaint on standard error, with nothing on standard output. Returns the run for what a table checks besides.
struct ToolCase {
  std::vector<std::string> args;
  int code;
  std::string text;
};

inline ToolRun ExpectRun(const ToolCase &c) {
  std::string shown;
  for (const std::string &arg : c.args) shown += arg + " ";
  SCOPED_TRACE(shown);
  ToolRun run = RunTool(c.args);
  EXPECT_EQ(run.code, c.code) << run.err;
  if (c.code == 0) {
    EXPECT_EQ(run.out, c.text);
  } else {
    EXPECT_EQ(run.out, "");
    EXPECT_TRUE(IsOneLine(run.err)) << run.err;
    EXPECT_NE(run.err.find(c.text), std::string::npos) << run.err;
  }
  return run;
}

class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override { testing_machine::Reset(); }
  void TearDown() override { testing_machine::Reset(); }

  // A settings file of the test's own; returns its path as the tool takes it (UTF-8).
  static std::string File(const std::string &text, const std::string &name = "settings.ini") {
    return Utf8(testing_machine::WriteTempFile(name, text));
  }
};
