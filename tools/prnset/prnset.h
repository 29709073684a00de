// The settings-file tool: commands that show a printer's settings file as the Printer Settings page would see it.
#pragma once

#include <istream>
#include <ostream>
#include <string>
#include <vector>

#include "tools/prnset/arguments.h"
#include "tools/prnset/session.h"

namespace prnset {

// 0: done (for check: nothing that fails); 1: the command found what it was asked about wanting (check's failing
// findings, an item without a command, a job the spooler refused); 2: a wrong command line, input that cannot be
// read, or output that cannot be written.
enum ExitCode { kExitSuccess = 0, kExitFailure = 1, kExitUsage = 2 };

// Runs the tool on the arguments that follow the program's name and returns its exit code. Results go to `out`
// (UTF-8), every complaint to `err` as one line; a FILE named "-" is read from `in`.
int Run(const std::vector<WString> &args, std::istream &in, std::ostream &out, std::ostream &err);
// The same with the process's standard input.
int Run(const std::vector<WString> &args, std::ostream &out, std::ostream &err);

// A command's parsed arguments: the options, the language of --lang and the settings files.
struct FileArguments {
  Arguments options;
  ToolLanguage language;  // English when --lang is absent
  WString file;           // the first file, as the tool opens it
  std::vector<WString> files;
  std::vector<std::string> shownFiles;  // each file as its messages name it ("-" for standard input)
  // Why each file cannot be read, empty when it can: a command over many files tells it and goes on.
  std::vector<std::string> unreadable;
};

// The commands.
int DumpCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
int ShowCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
int CheckCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
int EncodeCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
int JobCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
int PreviewCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);
// FILE is a driver package's INF: each model it offers and the settings file the model's printers read.
int ModelsCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err);

// The usage line of a command ("prnset dump FILE [--lang en|cn]").
std::string UsageOf(const std::string &command);

// Writes the one-line complaint "prnset COMMAND: message".
void Complain(std::ostream &err, const std::string &command, const std::string &message);

// The catalogue and the driver's own items as one JSON object, indented by two blanks per level, followed by a line
// end.
void WriteCatalogueJson(const SettingsCatalogue &catalogue, const DriverItems &driver, std::ostream &out);

// Whether the environment lets output to a terminal be coloured: not when NO_COLOR is set to a non-empty value, nor
// when TERM is dumb (a terminal that shows escape sequences as text).
bool EnvironmentAllowsColour();

// The project's version, as --version prints it.
const char *Version();

}  // namespace prnset
