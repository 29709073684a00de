// The settings-file tool: commands that show a printer's settings file as the Printer Settings page would see it.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "tools/prnset/arguments.h"
#include "tools/prnset/session.h"

namespace prnset {

enum ExitCode { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs the tool on the arguments that follow the program's name and returns its exit code. Results go to `out`
// (UTF-8), every complaint to `err` as one line.
int Run(const std::vector<WString> &args, std::ostream &out, std::ostream &err);

// The commands, each given the arguments that follow its name.
int DumpCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err);
int ShowCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err);
int CheckCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err);
int EncodeCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err);
int JobCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err);

// The usage line of a command ("prnset dump FILE [--lang en|cn]").
std::string UsageOf(const std::string &command);

// A command's arguments when it takes one settings file: the parsed options, the language and the file.
struct FileArguments {
  Arguments options;
  ToolLanguage language;
  WString file;
};
// Parses and checks them: exactly one FILE that can be read, known options, a valid --lang. On failure writes
// one line to `err` and returns false; the command then exits with kExitUsage.
bool ParseFileArguments(const std::string &command, const std::vector<WString> &args, AcceptedOptions accepted,
                        FileArguments &parsed, std::ostream &err);

// Writes the one-line complaint "prnset COMMAND: message".
void Complain(std::ostream &err, const std::string &command, const std::string &message);

// The catalogue as one JSON object, followed by a line end.
void WriteCatalogueJson(const SettingsCatalogue &catalogue, std::ostream &out);

}  // namespace prnset
