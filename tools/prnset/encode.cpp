// prnset encode: the command of one item, as the bytes of the text the encoder writes for it.
#include "page/job_bytes.h"
#include "tools/prnset/commands_text.h"
#include "tools/prnset/prnset.h"

namespace prnset {

int EncodeCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const std::string command = "encode";
  std::string error;
  ItemName name;
  LONG number = 0;
  bool byValue = parsed.options.Has("value");
  if (byValue == parsed.options.Has("choice")) error = "give exactly one of --choice and --value";
  if (error.empty()) {
    ItemOption(parsed.options, name, error) &&
        NumberOption(parsed.options, byValue ? "value" : "choice", number, error);
  }
  if (!error.empty()) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return kExitUsage;
  }

  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  const SettingsCatalogue &catalogue = session.catalogue();
  const SettingsItem *item = NamedItem(catalogue, name, parsed.file, parsed.language.load, error);
  if (item && !byValue) error = ChoiceError(*item, number);
  if (!item || !error.empty()) {
    Complain(err, command, parsed.shownFiles[0] + ": " + error);
    return kExitUsage;
  }
  CommandText text = byValue ? ItemValueText(catalogue, name.section, name.item, number)
                             : ItemChoiceText(catalogue, name.section, name.item, number);
  if (!text.size) {
    Complain(err, command, "no command text: " + NoTextReason(catalogue, text, number, false));
    return kExitFailure;
  }
  // Printed as the bytes the text stands for, in the same form as prnset job prints a job.
  const WString written = TextOf(text);
  std::vector<BYTE> bytes(written.size() / 2 + 1);
  DWORD count = HexTextToBytes(written.c_str(), bytes.data(), DWORD(bytes.size()));
  if (count == 0) {
    Complain(err, command, "the command text \"" + EscapeText(Utf8(written)) +
                               "\" is not whole bytes of hexadecimal digits, so the page sends nothing");
    return kExitFailure;
  }
  out << HexPairs(bytes.data(), count) << "\n";
  return kExitSuccess;
}

}  // namespace prnset
