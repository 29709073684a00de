#include "tools/prnset/prnset.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <memory>
#include <new>

#include "catalogue/ini_file.h"
#include "prnset_version.h"
#include "tools/prnset/system.h"

namespace prnset {

namespace {

struct OptionEntry {
  const char *name;  // without the dashes
  const char *value;  // what the value is, or nullptr for a flag
  const char *help;
};

struct CommandEntry {
  const char *name;
  int (*run)(const FileArguments &, std::ostream &, std::ostream &);
  const char *usage;
  const char *summary;
  bool manyFiles;
  std::vector<OptionEntry> options;
  const char *exitCodes;
  const char *notes = nullptr;  // a paragraph of the command's own help, after its options
};

// How encode and job name an item; the top-level help says it too.
const char kCounting[] =
    "Sections, items and choices are counted from 0, as on the page; encode and job also take an item by its keys,\n"
    "as check names it (--item Paper/TopOffset).";

const OptionEntry kLang{"lang", "en|cn",
                        "the language the page reads the file in: en for the _EN sections and code page 1252, cn for "
                        "the _CN sections and code page 936 (default en)"};

// encode's and job's --item: an item's keys, as check names items, or its position with --section.
const char kItemHelp[] =
    "the item: its class key and item key, as check names items (Paper/TopOffset; letters in any case), or with "
    "--section its position in the class, counted from 0. Keys name only shown items; hidden classes and items "
    "shift the positions, not the keys";

const CommandEntry kCommands[] = {
    {"dump",
     DumpCommand,
     "prnset dump FILE [--lang en|cn]",
     "the catalogue the page would load, as JSON",
     false,
     {kLang},
     "0 done; 2 wrong command line, unreadable FILE or unwritable output",
     "The dump is one language's reading of the file: English, or Chinese with --lang cn. To compare two versions\n"
     "of a file, compare the dumps of both languages."},
    {"show",
     ShowCommand,
     "prnset show FILE [--lang en|cn]",
     "classes, items and options as the page presents them",
     false,
     {kLang},
     "0 done; 2 wrong command line, unreadable FILE or unwritable output"},
    {"check",
     CheckCommand,
     "prnset check FILE... [--lang en|cn] [--strict] [--quiet] [--format text|json|sarif]",
     "what the page and the printer will get from the file that its author probably did not mean",
     true,
     {{"lang", "en|cn", "check only the English or only the Chinese page's reading (default: both)"},
      {"strict", nullptr, "warnings fail too"},
      {"quiet", nullptr, "errors and warnings only: no information lines, no summary of a file without findings"},
      {"format", "text|json|sarif",
       "text (default): one line per finding, FILE:LINE (and :COLUMN where one character is at fault), in colour on a "
       "terminal unless NO_COLOR is set to a "
       "non-empty value or TERM is dumb; json: one array of findings; sarif: a SARIF 2.1.0 log for code-scanning "
       "services"}},
     "0 nothing that fails; 1 errors (or, with --strict, warnings); 2 wrong command line, a FILE that cannot be "
     "read (told as a finding; the other files are still checked) or unwritable output"},
    {"encode",
     EncodeCommand,
     "prnset encode FILE (--item CLASS/ITEM | --section S --item I) (--choice K | --value V) [--lang en|cn]",
     "the command text of one item",
     false,
     {{"item", "CLASS/ITEM | I", kItemHelp},
      {"section", "S", "with --item I: the class, counted from 0 as on the page"},
      {"choice", "K", "the row of the chosen option, or the bit mask of a multi-choice item (0xA00000 works)"},
      {"value", "V",
       "a value to encode as it is, as Set All does: under High256 one too large for the item's parameter bytes is "
       "cut to its low bytes, as the page cuts it, with a note (BaseOn30 sends every digit); a multi-choice item's "
       "value is the mask of its ticked rows"},
      kLang},
     "0 done; 1 the item gives no command text; 2 wrong command line, no such item, unreadable FILE or unwritable "
     "output",
     kCounting},
    {"job",
     JobCommand,
     "prnset job FILE (--all | (--item CLASS/ITEM | --section S --item I) --choice K) [--out PATH | --printer NAME] "
     "[--lang en|cn]",
     "the bytes Set All or Set Current would send",
     false,
     {{"all", nullptr, "every item with its default, as Set All sends it"},
      {"item", "CLASS/ITEM | I", kItemHelp},
      {"section", "S", "with --item I: the class of the item Set Current sends, counted from 0"},
      {"choice", "K", "the row of the chosen option, or the bit mask of a multi-choice item"},
      {"out", "PATH",
       "write the raw bytes to this file instead of printing them; - writes them to standard output "
       "(./- is a file named -)"},
      {"printer", "NAME", "send the job to this printer through the spooler (Windows)"},
      kLang},
     "0 done; 1 nothing would be sent, or the spooler refused the job; 2 wrong command line, no such item or "
     "printer, unreadable FILE or unwritable output",
     kCounting},
    {"preview",
     PreviewCommand,
     "prnset preview FILE [--printer NAME] [--lang en|cn]",
     "the Printer Settings page of the file on a property sheet of its own, until it is closed (Windows)",
     false,
     {{"printer", "NAME",
       "Set Current and Set All send their job to this printer through the spooler; without it they write the job "
       "to FILE.prn, beside FILE"},
      {"lang", "en|cn",
       "the language of the page: en for the _EN sections and the English page, cn for the _CN "
       "sections and the Chinese page (default en)"}},
     "0 the sheet was closed; 1 no room for the catalogue; 2 wrong command line, unreadable FILE, or no window can "
     "be shown (prnset on Linux)"},
    {"models",
     ModelsCommand,
     "prnset models INF",
     "each model of a driver package's INF and the settings file its printers read",
     false,
     {},
     "0 done; 1 the INF offers no model, a model's %name% lacks its [Strings] entry, a model name beyond ASCII in an "
     "INF without a byte order mark, or a model's settings file is not copied, not listed in [SourceDisksFiles] or "
     "not in the package; 2 wrong command line, unreadable INF or unwritable output",
     "The package is the INF's folder: a settings file must be beside the INF, or where [SourceDisksNames] and\n"
     "[SourceDisksFiles] put it. An INF read from standard input has no folder; its files are not looked for.\n"
     "The settings file's name is quoted, so that a blank at its start shows. Told besides, without failing: two\n"
     "blanks after a model's first word; a model that one architecture's models section spells otherwise (only in\n"
     "blanks, punctuation or letter case); models whose names differ only in their first word, which read one file;\n"
     "a model's file that is byte for byte another model's, most likely a copy not yet edited.\n"
     "An INF without a byte order mark (ANSI, or UTF-8, which an installer can take for ANSI) depends on the\n"
     "installing system's code page: it is read in code page 1252 and told when it holds bytes beyond ASCII."},
};

const CommandEntry *Find(const std::string &name) {
  for (const CommandEntry &command : kCommands)
    if (name == command.name) return &command;
  return nullptr;
}

const char kStandardInput[] = "FILE - reads the file from standard input.";

// A paragraph broken at blanks into lines of at most kHelpColumns characters, each after `indent`, so that a console
// of that width does not break words; a word longer than a line stands alone.
constexpr size_t kHelpColumns = 100;
std::string Wrapped(const std::string &text, const std::string &indent) {
  std::string out, line;
  size_t from = 0;
  while (from < text.size()) {
    const size_t end = std::min(text.find(' ', from), text.size());
    const std::string word = text.substr(from, end - from);
    if (!line.empty() && indent.size() + line.size() + 1 + word.size() > kHelpColumns) {
      out += indent + line + "\n";
      line.clear();
    }
    line += (line.empty() ? "" : " ") + word;
    from = end + 1;
  }
  return out + indent + line + "\n";
}

void WriteHelp(std::ostream &out) {
  out << "prnset " << Version() << ": the settings-file tool of the Printer Settings page.\n\nCommands:\n";
  for (const CommandEntry &command : kCommands)
    out << "  " << command.usage << "\n" << Wrapped(command.summary, "      ");
  std::string counting = kCounting;
  std::replace(counting.begin(), counting.end(), '\n', ' ');
  out << "  prnset help COMMAND, prnset COMMAND --help\n      the options of a command\n"
      << "  prnset --version\n      the version\n\n"
      << Wrapped(counting + " " + kStandardInput, "")
      << "--lang cn reads the _CN sections and takes files that are neither UTF-16 nor UTF-8 in code page 936;\n"
         "--lang en (the default, except for check, which reads both) the _EN sections and code page "
         "1252.\n\n"
         "Exit codes: 0 done; 1 the command found what it was asked about wanting (check: failing findings);\n"
         "2 a wrong command line, input that cannot be read or output that cannot be written.\n";
}

void WriteCommandHelp(const CommandEntry &command, std::ostream &out) {
  out << "usage: " << command.usage << "\n\n" << command.summary << ".\n\nOptions:\n";
  for (const OptionEntry &option : command.options) {
    std::string left = std::string("--") + option.name + (option.value ? std::string(" ") + option.value : "");
    out << "  " << left << "\n" << Wrapped(option.help, "      ");
  }
  out << "  -h, --help, /?\n      this help\n\n";
  // The notes' lines that end a sentence end a paragraph; the lines between are one paragraph, wrapped anew.
  std::string paragraph;
  for (size_t from = 0, end; command.notes && from < std::strlen(command.notes); from = end + 1) {
    end = std::min(std::string(command.notes).find('\n', from), std::strlen(command.notes));
    const std::string line(command.notes + from, command.notes + end);
    paragraph += (paragraph.empty() ? "" : " ") + line;
    if (!line.empty() && line.back() == '.') out << Wrapped(paragraph, ""), paragraph.clear();
  }
  if (!paragraph.empty()) out << Wrapped(paragraph, "");
  out << kStandardInput << "\n\n" << Wrapped(std::string("Exit codes: ") + command.exitCodes + ".", "");
}

// CLI11's parse of one command: each option into a list, so that one given twice can be told.
struct Parsed {
  std::vector<std::string> files;
  std::map<std::string, std::vector<std::string>> values;
  std::map<std::string, size_t> flags;
};

// The option's name in a CLI11 message ("--lang: 1 required TEXT missing").
std::string OptionIn(const std::string &message) { return message.substr(0, message.find(':')); }

// Up to one byte past the largest file the plug-in reads, as from a file on disk: a longer input is told too large,
// and an endless one ends.
void ReadUpToLimit(std::istream &in, std::vector<BYTE> &bytes) {
  char block[1 << 16];
  while (bytes.size() <= IniFile::kMaxFileBytes && (in.read(block, sizeof block), in.gcount() > 0))
    bytes.insert(bytes.end(), block, block + in.gcount());
}

// Turns the parsed command line into the command's arguments, reading "-" from `in`. False after one complaint.
bool Resolve(const CommandEntry &command, const Parsed &parsed, std::istream &in, TemporaryFiles &temporaries,
             FileArguments &arguments, std::ostream &err) {
  const std::string name = command.name;
  auto usage = [&](const std::string &message) {
    Complain(err, name, message + "; usage: " + command.usage);
    return false;
  };
  for (const auto &option : parsed.values) {
    if (option.second.size() > 1) return usage("option --" + option.first + " given twice");
    if (!option.second.empty()) arguments.options.Set(option.first, WidenEscaped(option.second[0]));
  }
  for (const auto &flag : parsed.flags) {
    if (flag.second > 1) return usage("option --" + flag.first + " given twice");
    if (flag.second) arguments.options.Set(flag.first, WString());
  }
  std::string error;
  if (!ParseLanguage(arguments.options, arguments.language, error)) return usage(error);
  if (parsed.files.empty()) return usage(name == "models" ? "no INF given" : "no settings file given");
  if (parsed.files.size() > 1 && !command.manyFiles) return usage("more than one file given");
  bool standardInput = false;
  for (const std::string &file : parsed.files) {
    // Standard input and pipes are read once, into a file the loader can read by path.
    std::vector<BYTE> bytes;
    const bool stream = file != "-" && ReadStream(WidenEscaped(file), bytes);
    if (file == "-" || stream) {
      if (file == "-" && standardInput) return usage("standard input (-) named twice");
      standardInput = standardInput || file == "-";
      if (!stream) ReadUpToLimit(in, bytes);
      WString path = temporaries.Add(bytes);
      if (path.empty()) {
        Complain(err, name, "cannot keep " + (stream ? file : std::string("standard input")) + " in a temporary file");
        return false;
      }
      arguments.files.push_back(path);
      arguments.shownFiles.push_back(file);
      arguments.unreadable.emplace_back();
      continue;
    }
    WString path = WidenEscaped(file);
    std::string reason = UnreadableReason(path);
    if (!reason.empty() && !command.manyFiles) {
      Complain(err, name, "cannot read " + file + ": " + reason);
      return false;
    }
    arguments.files.push_back(path);
    arguments.shownFiles.push_back(Utf8(path));
    arguments.unreadable.push_back(reason);
  }
  arguments.file = arguments.files[0];
  return true;
}

// Hands what the tool writes on to the output's own buffer, keeping the system's reason (errno) when that buffer
// refuses it: by the time the command ends, other calls may have changed errno.
class ReasonKeeper : public std::streambuf {
 public:
  explicit ReasonKeeper(std::ostream &out) : out_(out), to_(out.rdbuf()) { out_.rdbuf(this); }
  ~ReasonKeeper() override {
    const bool failed = !out_;
    out_.rdbuf(to_);  // which clears the stream's state
    if (failed) out_.setstate(std::ios::badbit);
  }
  // Why the output could not be written, as the system says it; empty when it did not say.
  std::string Reason() const {
    if (closed_) return "the program reading the output closed it";
    std::string reason = error_ ? std::strerror(error_) : "";
    if (!reason.empty()) reason[0] = char(std::tolower(static_cast<unsigned char>(reason[0])));
    return reason;
  }

 protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    errno = 0;
    const int_type put = to_->sputc(traits_type::to_char_type(c));
    if (traits_type::eq_int_type(put, traits_type::eof())) Keep();
    return put;
  }
  std::streamsize xsputn(const char *text, std::streamsize n) override {
    errno = 0;
    const std::streamsize put = to_->sputn(text, n);
    if (put < n) Keep();
    return put;
  }
  int sync() override {
    errno = 0;
    const int synced = to_->pubsync();
    if (synced != 0) Keep();
    return synced;
  }

 private:
  void Keep() {
    if (error_) return;
    error_ = errno;
    // A pipe whose reader has gone (a pager quit early): Windows' C runtime says EINVAL, the system why.
    closed_ =
        errno == EPIPE || (errno == EINVAL && (GetLastError() == ERROR_NO_DATA || GetLastError() == ERROR_BROKEN_PIPE));
  }
  bool closed_ = false;

  std::ostream &out_;
  std::streambuf *to_;
  int error_ = 0;
};

}  // namespace

const char *Version() { return PRNSET_VERSION_TEXT; }

bool EnvironmentAllowsColour() {
  const char *noColour = std::getenv("NO_COLOR"), *terminal = std::getenv("TERM");
  return !(noColour && *noColour) && !(terminal && std::strcmp(terminal, "dumb") == 0);
}

std::string UsageOf(const std::string &command) {
  const CommandEntry *entry = Find(command);
  return entry ? entry->usage : "prnset COMMAND FILE [options]";
}

// Every message is escaped as check's are, whatever text of the file or name of a file it quotes: no control
// character of a file reaches the terminal.
void Complain(std::ostream &err, const std::string &command, const std::string &message) {
  err << "prnset" << (command.empty() ? "" : " ") << command << ": " << EscapeText(message) << "\n";
}

int Run(const std::vector<WString> &args, std::ostream &out, std::ostream &err) {
  return Run(args, std::cin, out, err);
}

int Run(const std::vector<WString> &args, std::istream &in, std::ostream &out, std::ostream &err) {
  ReasonKeeper keeper(out);
  std::vector<std::string> words;
  // A file name's bytes that are no UTF-8 stay what they are through the parse (WidenEscaped makes them again).
  for (const WString &arg : args) words.push_back(Utf8Escaped(arg));
  if (words.empty()) {
    Complain(err, "", "no command given; try prnset help");
    return kExitUsage;
  }
  // A Windows console's way of asking for help.
  for (auto word = words.begin(); word != words.end() && *word != "--"; ++word)
    if (*word == "/?") *word = "--help";
  const std::string &first = words[0];
  int code = kExitSuccess;
  if (first == "help" || first == "--help" || first == "-h") {
    if (words.size() > 2 || (words.size() == 2 && !Find(words[1]))) {
      Complain(err, "help", "no command " + (words.size() == 2 ? words[1] : words[2]) + "; try prnset help");
      return kExitUsage;
    }
    if (words.size() == 2) WriteCommandHelp(*Find(words[1]), out);
    else WriteHelp(out);
  } else if (first == "--version") {
    out << "prnset " << Version() << "\n";
  } else if (const CommandEntry *command = Find(first)) {
    CLI::App app(command->summary, std::string("prnset ") + command->name);
    app.allow_extras();
    // "/?" is the one switch of that form: a path from the root ("/work/a.Dat", as Wine passes one) is a file.
    app.allow_windows_style_options(false);
    Parsed parsed;
    app.add_option("FILE", parsed.files);
    for (const OptionEntry &option : command->options) {
      const std::string dashed = std::string("--") + option.name;
      if (option.value) {
        app.add_option(dashed, parsed.values[option.name])
            ->expected(1)
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
            ->allow_extra_args(false);
      } else {
        parsed.flags[option.name] = 0;
        app.add_flag(dashed, parsed.flags[option.name]);
      }
    }
    // Everything after "--" is a file, even one named --x; a flag given a value (--all=yes) is a mistake.
    auto dashes = std::find(words.begin() + 1, words.end(), std::string("--"));
    std::vector<std::string> afterDashes(dashes == words.end() ? words.end() : dashes + 1, words.end());
    for (auto word = words.begin() + 1; word != dashes; ++word)
      for (const OptionEntry &option : command->options)
        if (!option.value && word->rfind(std::string("--") + option.name + "=", 0) == 0) {
          Complain(err, first, std::string("option --") + option.name + " takes no value; usage: " + command->usage);
          return kExitUsage;
        }
    std::vector<std::string> reversed(std::make_reverse_iterator(dashes), words.rend() - 1);  // CLI11 takes them last first
    try {
      app.parse(reversed);
    } catch (const CLI::CallForHelp &) {
      WriteCommandHelp(*command, out);
      out.flush();
      return out ? kExitSuccess : kExitUsage;
    } catch (const CLI::ArgumentMismatch &e) {
      Complain(err, first, "option " + OptionIn(e.what()) + " needs a value; usage: " + command->usage);
      return kExitUsage;
    } catch (const CLI::ParseError &e) {
      Complain(err, first, std::string(e.what()) + "; usage: " + command->usage);
      return kExitUsage;
    }
    for (const std::string &extra : app.remaining()) {
      Complain(err, first, (extra.size() > 1 && extra[0] == '-' ? "unknown option " : "unexpected argument ") + extra +
                               "; usage: " + command->usage);
      return kExitUsage;
    }
    parsed.files.insert(parsed.files.end(), afterDashes.begin(), afterDashes.end());
    TemporaryFiles temporaries;
    FileArguments arguments;
    if (!Resolve(*command, parsed, in, temporaries, arguments, err)) return kExitUsage;
    try {
      code = command->run(arguments, out, err);
    } catch (const std::bad_alloc &) {
      // No room for a catalogue or for what the command builds from it: nothing half-done is reported as done.
      Complain(err, first, "out of memory");
      return kExitUsage;
    }
  } else {
    Complain(err, "", "unknown command " + first + "; try prnset help");
    return kExitUsage;
  }
  // Output that did not arrive is a failure, whatever the command found.
  out.flush();
  if (!out) {
    const std::string reason = keeper.Reason();
    Complain(err, first, "cannot write the output" + (reason.empty() ? "" : ": " + reason));
    return kExitUsage;
  }
  return code;
}

}  // namespace prnset
