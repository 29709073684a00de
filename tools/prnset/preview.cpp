// prnset preview: the Printer Settings page of a settings file on a property sheet of its own, with no driver
// installed. The page is the plug-in's own (template, strings and dialog procedure); the tool hands it, as it opens,
// the file's catalogue and where its jobs go, so nothing of the preview is kept where a driver's page could see it.
#include "page/settings_page.h"
#include "tools/prnset/prnset.h"
#include "tools/prnset/system.h"

namespace prnset {

namespace {

// The sheet's caption: the printer's name and one more word, as a driver's sheet shows it.
const char kCaptionTail[] = " Preview";

// The name a preview without a printer shows: the file's own name, which the page's message boxes bear.
WString FileNameOf(const WString &path) {
  size_t slash = path.find_last_of(Ascii("\\/"));
  return slash == WString::npos ? path : path.substr(slash + 1);
}

}  // namespace

int PreviewCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const std::string command = "preview";
  const Arguments &options = parsed.options;
  const bool toPrinter = options.Has("printer");
  const bool standardInput = parsed.shownFiles[0] == "-";
  const WString printer = toPrinter ? options.Value("printer") : FileNameOf(parsed.file);
  // Without a printer the job goes beside the file, replaced at each Set Current or Set All.
  const WString jobFile = toPrinter ? WString() : FullPathOf(parsed.file + Ascii(".prn"));
  std::string error;
  if (toPrinter && printer.empty()) {
    error = "--printer needs a name";
  } else if (printer.size() >= size_t(kPathChars)) {
    error = toPrinter ? "the printer name is longer than 259 characters"
                      : "the file's name is longer than 259 characters; give --printer";
  } else if (!toPrinter && standardInput) {
    error = "a file read from standard input has no folder for its job; give --printer";
  } else if (jobFile.size() >= size_t(kPathChars)) {
    error = "the job file " + Utf8(jobFile) + " is longer than 259 characters";
  }
  if (!error.empty()) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return kExitUsage;
  }

  UniqueCatalogue catalogue = LoadToolCatalogue(parsed.file, parsed.language);
  if (!catalogue) {
    Complain(err, command, "no room for the page's catalogue");
    return kExitFailure;
  }
  auto open = [&](HWND page) {
    InitPreviewPage(page, printer.c_str(), std::move(catalogue), jobFile.empty() ? nullptr : jobFile.c_str());
  };
  auto opening = [&] {
    out << "The Printer Settings page of " << parsed.shownFiles[0] << " is open; Set Current and Set All "
        << (toPrinter ? "send their job to the printer " : "write their job to ") << Utf8(toPrinter ? printer : jobFile)
        << ".\n";
    out.flush();
  };
  if (!ShowPageSheet(printer + Ascii(kCaptionTail), parsed.language.load.language, open, opening, error)) {
    Complain(err, command, error);
    return kExitUsage;
  }
  return kExitSuccess;
}

}  // namespace prnset
