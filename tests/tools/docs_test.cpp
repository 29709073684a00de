// The examples of docs/settings-file.md, run: every "$ prnset ..." line of a console block is run on the files it
// names (the examples, or an ini block of the document whose first line names it) and must print what the document
// shows after it. A line "..." stands for any number of lines.
#include "tests/tools/tool_fixture.h"

namespace {

using DocumentTest = ToolTest;

std::vector<std::string> Lines(const std::string &text) {
  std::vector<std::string> lines;
  size_t begin = 0;
  while (begin < text.size()) {
    size_t end = text.find('\n', begin);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(begin, end - begin));
    begin = end + 1;
  }
  return lines;
}

// A command line as a shell splits it: blanks separate words, double quotes keep blanks in one.
std::vector<std::string> Words(const std::string &line) {
  std::vector<std::string> words;
  std::string word;
  bool quoted = false, any = false;
  for (char c : line) {
    if (c == '"') {
      quoted = !quoted;
      any = true;
    } else if (c == ' ' && !quoted) {
      if (any) words.push_back(word);
      word.clear();
      any = false;
    } else {
      word += c;
      any = true;
    }
  }
  if (any) words.push_back(word);
  return words;
}

// Whether the lines match the expected ones, where "..." matches any run of lines.
bool Matches(const std::vector<std::string> &expected, size_t e, const std::vector<std::string> &actual, size_t a) {
  if (e == expected.size()) return a == actual.size();
  if (expected[e] == "...") {
    for (size_t skip = a; skip <= actual.size(); ++skip)
      if (Matches(expected, e + 1, actual, skip)) return true;
    return false;
  }
  return a < actual.size() && expected[e] == actual[a] && Matches(expected, e + 1, actual, a + 1);
}

void ReplaceAll(std::string &text, const std::string &from, const std::string &to) {
  for (size_t at = text.find(from); !from.empty() && at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

struct Example {
  std::string command;
  std::vector<std::string> expected;
};

TEST_F(DocumentTest, EveryExampleOfTheSettingsFileDocumentRuns) {
  const std::vector<std::string> lines = Lines(ReadSourceFile("docs/settings-file.md"));
  std::vector<std::pair<std::string, std::string>> files;  // name in the document, path of our copy
  std::vector<Example> examples;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (lines[i].rfind("```", 0) != 0) continue;
    const std::string kind = lines[i].substr(3);
    size_t end = i + 1;
    while (end < lines.size() && lines[end] != "```") ++end;
    if (kind == "ini" && i + 1 < end && lines[i + 1].rfind("; ", 0) == 0) {
      std::string text;
      for (size_t k = i + 1; k < end; ++k) text += lines[k] + "\n";
      const std::string name = lines[i + 1].substr(2);
      files.emplace_back(name, File(text, name));
    } else if (kind == "console") {
      for (size_t k = i + 1; k < end; ++k) {
        if (lines[k].rfind("$ prnset ", 0) == 0) examples.push_back({lines[k].substr(9), {}});
        else if (!examples.empty()) examples.back().expected.push_back(lines[k]);
        else ADD_FAILURE() << "output before any command: " << lines[k];
      }
    }
    i = end;
  }
  EXPECT_GE(examples.size(), 16u);
  EXPECT_EQ(files.size(), 2u);

  for (const Example &example : examples) {
    SCOPED_TRACE(example.command);
    std::vector<WString> args;
    for (const std::string &word : Words(example.command)) {
      std::string arg = word;
      for (const auto &file : files)
        if (arg == file.first) arg = file.second;
      if (arg.rfind("examples/", 0) == 0) arg = SourcePath(arg);
      args.push_back(Wide(arg));
    }
    ToolRun run = RunTool(args);
    std::string shown = run.out + run.err;
    for (const auto &file : files) ReplaceAll(shown, file.second, file.first);
    for (const std::string &example : {kOfficeLaser, kLabelPrinter}) ReplaceAll(shown, SourcePath(example), example);
    EXPECT_TRUE(Matches(example.expected, 0, Lines(shown), 0)) << shown;
  }
}

}  // namespace
