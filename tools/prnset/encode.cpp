// prnset encode: the command text of one item, exactly as the encoder writes it.
#include "tools/prnset/commands_text.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

bool NumberOption(const FileArguments &parsed, const std::string &name, LONG &value, std::string &error) {
  if (!parsed.options.Has(name)) {
    error = "--" + name + " is missing";
    return false;
  }
  if (!ParseNumber(parsed.options.Value(name), value)) {
    error = "--" + name + " takes a whole number, not " + Utf8(parsed.options.Value(name));
    return false;
  }
  return true;
}

}  // namespace

int EncodeCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err) {
  const std::string command = "encode";
  FileArguments parsed;
  if (!ParseFileArguments(command, args, {{"section", "item", "choice", "value"}, {}}, parsed, err))
    return kExitUsage;
  std::string error;
  LONG section = 0, item = 0, number = 0;
  bool byValue = parsed.options.Has("value");
  if (byValue == parsed.options.Has("choice")) error = "give exactly one of --choice and --value";
  if (error.empty()) NumberOption(parsed, "section", section, error);
  if (error.empty()) NumberOption(parsed, "item", item, error);
  if (error.empty()) NumberOption(parsed, byValue ? "value" : "choice", number, error);
  if (!error.empty()) {
    Complain(err, command, error + "; usage: " + UsageOf(command));
    return kExitUsage;
  }

  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  const SettingsCatalogue &catalogue = session.catalogue();
  if (!ItemAt(catalogue, section, item, error)) {
    Complain(err, command, Utf8(parsed.file) + ": " + error);
    return kExitUsage;
  }
  CommandText text = byValue ? ItemValueText(catalogue, section, item, number)
                             : ItemChoiceText(catalogue, section, item, number);
  if (!text.size) {
    Complain(err, command, "no command text: " + NoTextReason(catalogue, text, number, false));
    return kExitFailure;
  }
  out << Utf8(TextOf(text)) << "\n";
  return kExitSuccess;
}

}  // namespace prnset
