#include "tools/prnset/prnset.h"

#include "prnset_version.h"

namespace prnset {

namespace {

struct CommandEntry {
  const char *name;
  int (*run)(const std::vector<WString> &, std::ostream &, std::ostream &);
  const char *usage;
  const char *summary;
};

const CommandEntry kCommands[] = {
    {"dump", DumpCommand, "prnset dump FILE [--lang en|cn]", "the catalogue the page would load, as JSON"},
    {"show", ShowCommand, "prnset show FILE [--lang en|cn]", "classes, items and options as the page presents them"},
    {"check", CheckCommand, "prnset check FILE [--lang en|cn]",
     "what the plug-in will make of the file that its author probably did not mean"},
    {"encode", EncodeCommand,
     "prnset encode FILE --section S --item I (--choice K | --value V) [--lang en|cn]",
     "the command text of one item"},
    {"job", JobCommand,
     "prnset job FILE (--all | --section S --item I --choice K) [--out PATH | --printer NAME] [--lang en|cn]",
     "the bytes Set All or Set Current would send"},
};

void WriteHelp(std::ostream &out) {
  out << "prnset: the settings-file tool of the Printer Settings page.\n\nCommands:\n";
  for (const CommandEntry &command : kCommands) out << "  " << command.usage << "\n      " << command.summary << "\n";
  out << "\nSections, items and choices are counted from 0, as on the page. --lang cn reads the _CN sections\n"
         "and takes files that are neither UTF-16 nor UTF-8 in code page 936; --lang en (the default) reads the\n"
         "_EN sections and code page 1252.\n";
}

}  // namespace

std::string UsageOf(const std::string &command) {
  for (const CommandEntry &entry : kCommands)
    if (command == entry.name) return entry.usage;
  return "prnset COMMAND FILE [options]";
}

void Complain(std::ostream &err, const std::string &command, const std::string &message) {
  err << "prnset" << (command.empty() ? "" : " ") << command << ": " << message << "\n";
}

bool ParseFileArguments(const std::string &command, const std::vector<WString> &args, AcceptedOptions accepted,
                        FileArguments &parsed, std::ostream &err) {
  accepted.valued.push_back("lang");
  std::string error;
  if (!parsed.options.Parse(args, accepted, error) || !ParseLanguage(parsed.options, parsed.language, error)) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return false;
  }
  const std::vector<WString> &files = parsed.options.positional();
  if (files.size() != 1) {
    Complain(err, command, std::string(files.empty() ? "no settings file given" : "more than one file given") +
                               "; usage: " + UsageOf(command));
    return false;
  }
  parsed.file = files[0];
  if (!IsReadableFile(parsed.file)) {
    Complain(err, command, "cannot read " + Utf8(parsed.file));
    return false;
  }
  return true;
}

int Run(const std::vector<WString> &args, std::ostream &out, std::ostream &err) {
  if (args.empty()) {
    Complain(err, "", "no command given; try prnset help");
    return kExitUsage;
  }
  std::string name = Utf8(args[0]);
  if (name == "help" || name == "--help" || name == "-h") {
    WriteHelp(out);
    return kExitSuccess;
  }
  if (name == "--version") {
    out << "prnset " PRNSET_VERSION_TEXT "\n";
    return kExitSuccess;
  }
  std::vector<WString> rest(args.begin() + 1, args.end());
  for (const CommandEntry &command : kCommands)
    if (name == command.name) return command.run(rest, out, err);
  Complain(err, "", "unknown command " + name + "; try prnset help");
  return kExitUsage;
}

}  // namespace prnset
