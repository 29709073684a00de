// prnset job: the bytes that Set All or Set Current would send for the file's defaults.
#include <iostream>

#include "page/command_job.h"
#include "platform/owner.h"
#include "tools/prnset/commands_text.h"
#include "tools/prnset/prnset.h"
#include "tools/prnset/system.h"

namespace prnset {

int JobCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const std::string command = "job";
  const Arguments &options = parsed.options;
  std::string error;
  bool all = options.Has("all");
  bool one = options.Has("section") || options.Has("item") || options.Has("choice");
  ItemName name;
  LONG choice = 0;
  if (all == one) {
    error = "give either --all or --item (with --section, or as CLASS/ITEM) and --choice";
  } else if (one) {
    ItemOption(options, name, error) && NumberOption(options, "choice", choice, error);
  }
  if (error.empty() && options.Has("out") && options.Has("printer")) error = "give --out or --printer, not both";
  if (error.empty() && options.Has("out") && options.Value("out").empty()) error = "--out needs a file name";
  if (error.empty() && options.Has("printer") && options.Value("printer").empty()) error = "--printer needs a name";
  // The job's bytes never replace the settings file they come from, nor reach a terminal raw (a command's bytes
  // may be the terminal's own controls).
  if (error.empty() && options.Has("out") && options.Value("out") != Ascii("-") && parsed.file != Ascii("-") &&
      SameFile(options.Value("out"), parsed.file))
    error = "--out names FILE itself: the job's bytes would replace the settings file";
  if (error.empty() && options.Value("out") == Ascii("-") && &out == &std::cout && StandardOutputIsTerminal())
    error =
        "--out - writes raw bytes, for a pipe or a file, and standard output is a terminal; without --out the "
        "bytes are printed in hexadecimal";
  if (!error.empty()) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return kExitUsage;
  }

  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  const SettingsCatalogue &catalogue = session.catalogue();
  const SettingsItem *item = one ? NamedItem(catalogue, name, parsed.file, parsed.language.load, error) : nullptr;
  if (item) error = ChoiceError(*item, choice);
  if (one && (!item || !error.empty())) {
    Complain(err, command, parsed.shownFiles[0] + ": " + error);
    return kExitUsage;
  }
  // The page's own job bytes: what Set All or Set Current would hand the spooler.
  JobBytes job = all ? BuildAllItemsJob(catalogue) : BuildItemJob(catalogue, name.section, name.item, choice);
  if (job.count == 0) {
    Complain(err, command, "nothing would be sent: " + NoJobReason(catalogue, job, choice, item));
    return kExitFailure;
  }
  // The job still goes without them, as the page sends it: told, not failed.
  for (const std::string &note : LeftOutOfJob(catalogue, job, item)) Complain(err, command, "note: " + note);

  if (options.Value("out") == Ascii("-")) {
    // The raw bytes themselves, for a pipe; standard output takes them untranslated (see KeepBytesAsTheyAre).
    if (!KeepBytesAsTheyAre(out)) {
      Complain(err, command, "standard output cannot take raw bytes");
      return kExitUsage;
    }
    out.write(reinterpret_cast<const char *>(job.bytes.get()), std::streamsize(job.count));
    return kExitSuccess;
  }
  if (options.Has("out")) {
    // Written as a preview's page writes its job file; "./-" names a file called "-".
    if (!WriteJobFile(job.bytes.get(), job.count, options.Value("out").c_str())) {
      Complain(err, command,
               "cannot write " + Utf8(options.Value("out")) + ": " + UnwritableReason(options.Value("out")));
      return kExitUsage;
    }
    return kExitSuccess;
  }
  if (options.Has("printer")) {
    WString printer = options.Value("printer");
    // A printer the spooler does not know is a wrong command line; one that refuses the job is not.
    if (!OpenPrinterByName(printer.c_str())) {
      Complain(err, command, "there is no printer \"" + Utf8(printer) + "\"" + SpoolerNote());
      return kExitUsage;
    }
    if (!SendJobBytes(job, printer.c_str())) {
      Complain(err, command,
               "the spooler did not take the job for the printer \"" + Utf8(printer) + "\"" + SpoolerNote());
      return kExitFailure;
    }
    out << "Sent " << job.count << " bytes to the printer " << Utf8(printer) << ".\n";
    return kExitSuccess;
  }
  out << HexPairs(job.bytes.get(), job.count) << "\n";
  return kExitSuccess;
}

}  // namespace prnset
