#include "tools/prnset/check.h"

#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

const char *EncodingName(const IniFile &ini, const ToolLanguage &language, std::string &name) {
  switch (ini.encoding()) {
    case IniFile::Encoding::Utf16Le: return "UTF-16 little-endian with byte order mark";
    case IniFile::Encoding::Utf16Be: return "UTF-16 big-endian with byte order mark";
    case IniFile::Encoding::Utf8Bom: return "UTF-8 with byte order mark";
    case IniFile::Encoding::Utf8: return "UTF-8 without byte order mark";
    case IniFile::Encoding::None: return "unreadable";
    case IniFile::Encoding::Ansi: break;
  }
  // An unmarked file that is not UTF-8: plain ASCII reads alike everywhere, anything else in the ANSI code page.
  bool ascii = true;
  for (const IniFile::Section &section : ini.sections()) {
    for (WCHAR c : ini.Text(section.name, section.nameLength)) ascii = ascii && c < 0x80;
    for (const IniFile::Entry &entry : section.entries) {
      for (WCHAR c : ini.Text(entry.name, entry.nameLength)) ascii = ascii && c < 0x80;
      if (entry.valueLength != std::basic_string<WCHAR>::npos)
        for (WCHAR c : ini.Text(entry.value, entry.valueLength)) ascii = ascii && c < 0x80;
    }
  }
  if (ascii) return "plain ASCII (reads alike in every code page)";
  name = "ANSI, read in code page " + std::to_string(language.load.codePage) +
         (language.load.codePage == 936 ? "" : " (Chinese texts saved in code page 936 need --lang cn)");
  return name.c_str();
}

std::string Plural(int count, const char *word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

void Findings::Add(const Finding &finding) {
  for (const Finding &told : list_)
    if (told.line == finding.line && told.severity == finding.severity && told.message == finding.message) return;
  list_.push_back(finding);
}

int Findings::Count(Severity severity) const {
  int n = 0;
  for (const Finding &finding : list_) n += finding.severity == severity;
  return n;
}

Findings CheckSettingsFile(const CheckedFile &file) {
  Findings findings;
  std::string name;
  findings.Info(0, std::string("encoding: ") + EncodingName(file.ini, file.language, name));
  CheckFileLayout(file.ini, findings);
  CheckCatalogueWalk(file, findings);
  CheckSettingsSection(file.ini, findings);
  return findings;
}

int CheckCommand(const std::vector<WString> &args, std::ostream &out, std::ostream &err) {
  FileArguments parsed;
  if (!ParseFileArguments("check", args, {}, parsed, err)) return kExitUsage;
  CatalogueSession session;
  session.Load(parsed.file, parsed.language);
  IniFile ini;
  if (!ini.Load(parsed.file.c_str(), parsed.language.load.codePage)) {
    Complain(err, "check", "cannot read " + Utf8(parsed.file));
    return kExitUsage;
  }
  Findings findings = CheckSettingsFile({ini, session.catalogue(), parsed.language});

  const std::string file = Utf8(parsed.file);
  for (const Finding &finding : findings.list()) {
    const char *kind = finding.severity == Severity::Error     ? "error"
                       : finding.severity == Severity::Warning ? "warning"
                                                               : "info";
    out << file << ':' << finding.line << ": " << kind << ": " << finding.message << "\n";
  }
  int errors = findings.Count(Severity::Error), warnings = findings.Count(Severity::Warning);
  out << file << ": " << Plural(errors, "error") << ", " << Plural(warnings, "warning") << " ("
      << parsed.language.name << ")\n";
  return errors ? kExitFailure : kExitSuccess;
}

}  // namespace prnset
