// prnset check FILE...: the findings of each file in both languages (or the one of --lang), as lines for people or
// as JSON for a vendor's build, with an exit code that a build can act on.
#include <nlohmann/json.hpp>

#include "platform/owner.h"
#include "tools/prnset/check.h"
#include "tools/prnset/prnset.h"

namespace prnset {

namespace {

// The language --lang en or --lang cn gives.
ToolLanguage LanguageOf(const char *option) {
  Arguments arguments;
  arguments.Set("lang", Ascii(option));
  ToolLanguage language;
  std::string error;
  ParseLanguage(arguments, language, error);
  return language;
}

// The file's bytes as they are, up to one byte more than the reader takes (so that a larger file is seen as such).
// Read to its end, not by its stated size: a file whose read fails is unreadable, not empty.
bool ReadBytes(const WString &path, std::vector<BYTE> &bytes) {
  bytes.clear();
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  BYTE block[1 << 16];
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), block, DWORD(sizeof block), &read, nullptr)) return false;
    if (read == 0) return true;
    bytes.insert(bytes.end(), block, block + read);
    if (bytes.size() > IniFile::kMaxFileBytes) {
      bytes.resize(IniFile::kMaxFileBytes + 1);
      return true;
    }
  }
}

// One reading of the file: the catalogue the page of that language loads from these bytes, the loader's account of
// that load, and the findings about it.
Findings CheckIn(const std::vector<BYTE> &bytes, const ToolLanguage &language, bool bothLanguages) {
  IniFile ini;
  ini.Parse(bytes.data(), bytes.size(), language.load.codePage);
  UniqueCatalogue catalogue = NewCatalogue();
  if (!catalogue) throw std::bad_alloc();
  LoadAccount account;
  LoadCatalogue(*catalogue.get(), IniSource(ini), language.load.language, &account);
  return CheckSettingsFile({ini, *catalogue.get(), account, language, bothLanguages, bytes});
}

// The findings of one reading, each marked with the language it concerns.
std::vector<Finding> Concerning(const Findings &findings, const ToolLanguage &language) {
  std::vector<Finding> list = findings.list();
  const FindingLanguage concerns =
      language.load.language == kChineseLanguage ? FindingLanguage::Chinese : FindingLanguage::English;
  for (Finding &finding : list)
    if (finding.language == FindingLanguage::Both) finding.language = concerns;
  return list;
}

const char *SeverityName(Severity severity) {
  return severity == Severity::Error ? "error" : severity == Severity::Warning ? "warning" : "info";
}

const char *LanguageCode(FindingLanguage language) {
  return language == FindingLanguage::English ? "en" : language == FindingLanguage::Chinese ? "cn" : "both";
}

std::string Plural(int count, const char *word) {
  return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

}  // namespace

int CheckCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const bool json = parsed.options.Has("format") && parsed.options.Value("format") == Ascii("json");
  if (parsed.options.Has("format") && !json && parsed.options.Value("format") != Ascii("text")) {
    Complain(err, "check", "--format takes text or json, not " + Utf8(parsed.options.Value("format")) +
                               "; usage: " + UsageOf("check"));
    return kExitUsage;
  }
  const bool strict = parsed.options.Has("strict");
  const bool both = !parsed.options.Has("lang");
  const ToolLanguage english = LanguageOf("en"), chinese = LanguageOf("cn");
  nlohmann::ordered_json all = nlohmann::ordered_json::array();
  bool failing = false, unreadable = false;

  for (size_t f = 0; f < parsed.files.size(); ++f) {
    const std::string shown = EscapeText(parsed.shownFiles[f]);
    std::vector<BYTE> bytes;
    std::vector<Finding> findings;
    Findings content;
    std::string reason = f < parsed.unreadable.size() ? parsed.unreadable[f] : std::string();
    if (reason.empty() && !ReadBytes(parsed.files[f], bytes)) reason = "it cannot be read to its end";
    if (!reason.empty()) {
      // One file that cannot be read stops nothing: the others are checked, and the run ends with 2.
      unreadable = true;
      content.Add(0, "file-unreadable", "cannot read " + shown + ": " + reason);
      findings = content.list();
    } else if (!CheckFileContent(bytes, content)) {
      findings = content.list();
    } else if (both) {
      Findings inEnglish = CheckIn(bytes, english, true);
      Findings inChinese = CheckIn(bytes, chinese, true);
      inEnglish.ClaimAlso(inChinese);
      inChinese.ClaimAlso(inEnglish);
      inEnglish.DropClaimed(kClaimableCodes);
      inChinese.DropClaimed(kClaimableCodes);
      findings = MergeLanguages(Concerning(inEnglish, english), Concerning(inChinese, chinese));
    } else {
      findings = Concerning(CheckIn(bytes, parsed.language, false), parsed.language);
      std::stable_sort(findings.begin(), findings.end(),
                       [](const Finding &a, const Finding &b) { return a.line < b.line; });
    }

    int errors = 0, warnings = 0;
    const FindingLanguage checked = both ? FindingLanguage::Both
                                    : parsed.language.load.language == kChineseLanguage ? FindingLanguage::Chinese
                                                                             : FindingLanguage::English;
    for (const Finding &finding : findings) {
      errors += finding.severity == Severity::Error;
      warnings += finding.severity == Severity::Warning;
      const std::string message = EscapeText(finding.message);
      if (json) {
        nlohmann::ordered_json entry;
        entry["file"] = shown;
        entry["line"] = finding.line > 0 ? nlohmann::ordered_json(finding.line) : nlohmann::ordered_json(nullptr);
        entry["severity"] = SeverityName(finding.severity);
        entry["code"] = finding.code;
        entry["message"] = message;
        entry["language"] = LanguageCode(finding.language);
        all.push_back(entry);
        continue;
      }
      out << shown;
      if (finding.line > 0) out << ':' << finding.line;
      out << ": " << SeverityName(finding.severity) << ": ";
      if (finding.language != checked)
        out << (finding.language == FindingLanguage::Chinese ? "(Chinese) " : "(English) ");
      out << message << " [" << finding.code << "]\n";
    }
    failing = failing || errors > 0 || (strict && warnings > 0);
    if (!json)
      out << shown << ": " << Plural(errors, "error") << ", " << Plural(warnings, "warning") << " ("
          << (both ? "English and Chinese" : parsed.language.name) << ")\n";
  }
  if (json) out << all.dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace) << "\n";
  return unreadable ? kExitUsage : failing ? kExitFailure : kExitSuccess;
}

}  // namespace prnset
