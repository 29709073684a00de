// prnset models: the models a driver package's INF offers, and the settings file each one's printers read. The file
// is named after the model name without its first word, so models of two packages can share one file unawares;
// this shows the name before the package ships.
#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "catalogue/ini_file.h"
#include "catalogue/settings_location.h"
#include "tools/prnset/prnset.h"
#include "tools/prnset/text.h"

namespace prnset {

namespace {

WCHAR Folded(WCHAR c) { return c >= WTEXT('A') && c <= WTEXT('Z') ? WCHAR(c + 32) : c; }

bool SameName(const WString &a, const WString &b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](WCHAR x, WCHAR y) { return Folded(x) == Folded(y); });
}

// An INF read through the settings file's INI reader: sections and lines in file order, with the INF's own rules on
// top: ';' starts a comment outside quotes, fields are separated by commas, quotes are dropped and %name% stands for
// the [Strings] entry of that name.
class InfText {
 public:
  explicit InfText(IniFile &&ini) : ini_(std::move(ini)) {}

  const IniFile::Section *Find(const WString &name) const {
    for (const IniFile::Section &section : ini_.sections())
      if (SameName(ini_.Text(section.name, section.nameLength), name)) return &section;
    return nullptr;
  }

  // The line's key, as the INF means it: its first field; empty for a comment. A file list's line without '=' is all
  // key: "Laser 1_Settings.Dat",,,0x20 ; the settings file.
  WString Key(const IniFile::Entry &entry) const { return Split(ini_.Text(entry.name, entry.nameLength))[0]; }

  // Whether a line of a file list names the file, or a CopyFiles directive names it alone (@file or @"file").
  bool CopiesFile(const WString &file) const {
    for (const IniFile::Section &section : ini_.sections())
      for (const IniFile::Entry &entry : section.entries) {
        if (entry.valueLength == std::string::npos && SameName(Key(entry), file)) return true;
        if (SameName(Key(entry), WTEXT("CopyFiles")))
          for (const WString &field : Fields(entry))
            if (!field.empty() && field[0] == WTEXT('@') && SameName(Field(field.substr(1)), file)) return true;
      }
    return false;
  }

  // The fields after '=' of a line; none for a line without one.
  std::vector<WString> Fields(const IniFile::Entry &entry) const {
    if (entry.valueLength == std::string::npos) return {};
    return Split(ini_.Text(entry.value, entry.valueLength));
  }

 private:
  // Fields separated by commas outside quotes, up to a ';' outside quotes; at least one.
  std::vector<WString> Split(const WString &text) const {
    std::vector<WString> fields;
    WString field;
    bool quoted = false;
    for (WCHAR c : text) {
      if (c == WTEXT('"')) quoted = !quoted;
      if (!quoted && c == WTEXT(';')) break;
      if (!quoted && c == WTEXT(',')) {
        fields.push_back(Field(field));
        field.clear();
      } else {
        field += c;
      }
    }
    fields.push_back(Field(field));
    return fields;
  }

  WString Field(const WString &raw) const {
    WString text = Trimmed(raw);
    if (!text.empty() && text[0] == WTEXT(';')) return WString();
    if (text.size() >= 2 && text.front() == WTEXT('"') && text.back() == WTEXT('"')) return text.substr(1, text.size() - 2);
    if (text.size() >= 2 && text.front() == WTEXT('%') && text.back() == WTEXT('%')) {
      WString name = text.substr(1, text.size() - 2);
      if (const IniFile::Section *strings = Find(WTEXT("Strings")))
        for (const IniFile::Entry &entry : strings->entries)
          if (SameName(Key(entry), name)) {
            std::vector<WString> value = Fields(entry);
            if (!value.empty()) return value[0];
          }
    }
    return text;
  }

  IniFile ini_;
};

struct ModelFile {
  WString model;
  WString settingsFile;  // empty when the name is too long for a path
};

}  // namespace

int ModelsCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  IniFile ini;
  if (!ini.Load(parsed.file.c_str(), parsed.language.load.codePage)) {
    Complain(err, "models", "cannot read " + parsed.shownFiles[0]);
    return kExitUsage;
  }
  InfText inf(std::move(ini));

  // [Manufacturer]: each maker names its models section, and the decorations of the architectures it serves.
  std::vector<ModelFile> models;
  std::vector<std::string> lacking, empty;  // models sections [Manufacturer] names that the INF lacks, or with no model
  const IniFile::Section *makers = inf.Find(WTEXT("Manufacturer"));
  if (makers) {
    for (const IniFile::Entry &maker : makers->entries) {
      std::vector<WString> fields = inf.Fields(maker);
      if (fields.empty() || fields[0].empty()) continue;
      std::vector<WString> sections = {fields[0]};
      for (size_t i = 1; i < fields.size(); ++i)
        if (!fields[i].empty()) sections.push_back(fields[0] + WTEXT(".") + fields[i]);
      for (const WString &name : sections) {
        const IniFile::Section *list = inf.Find(name);
        (list ? empty : lacking).push_back("[" + Utf8(name) + "]");
        if (!list) continue;
        for (const IniFile::Entry &line : list->entries) {
          WString model = inf.Key(line);
          if (model.empty() || inf.Fields(line).empty()) continue;
          if (!empty.empty() && empty.back() == "[" + Utf8(name) + "]") empty.pop_back();
          auto known = std::find_if(models.begin(), models.end(),
                                    [&](const ModelFile &m) { return SameName(m.model, model); });
          if (known != models.end()) continue;
          WCHAR file[kPathChars] = {};
          models.push_back({model, SettingsFileNameOf(model.c_str(), file, kPathChars) ? WString(file) : WString()});
        }
      }
    }
  }
  if (models.empty()) {
    auto names = [](const std::vector<std::string> &list) {
      std::string text;
      for (size_t i = 0; i < list.size(); ++i) text += (i ? ", " : "") + list[i];
      return text;
    };
    out << "The INF offers no model: "
        << (!makers            ? std::string("it has no [Manufacturer] section")
            : !empty.empty()   ? "its models sections list no model (" + names(empty) + ")"
            : !lacking.empty() ? "[Manufacturer] names models sections that the INF lacks (" + names(lacking) + ")"
                               : std::string("[Manufacturer] names no models section"))
        << ".\n";
    return kExitFailure;
  }

  // A settings file the INF does not copy is not installed: the page of that model's printers stays empty. Models
  // that share a file are told, since one file then serves them all.
  int code = kExitSuccess;
  for (const ModelFile &model : models) {
    if (model.settingsFile.empty()) {
      out << Utf8(model.model) << ": the model name is too long for a settings file's path\n";
      code = kExitFailure;
      continue;
    }
    out << Utf8(model.model) << ": " << Utf8(model.settingsFile);
    std::vector<std::string> sharing;
    for (const ModelFile &other : models)
      if (&other != &model && SameName(other.settingsFile, model.settingsFile)) sharing.push_back(Utf8(other.model));
    for (size_t i = 0; i < sharing.size(); ++i) out << (i ? ", " : " (shared with ") << sharing[i];
    if (!sharing.empty()) out << ")";
    if (!inf.CopiesFile(model.settingsFile)) {
      out << " - the INF copies no file of that name";
      code = kExitFailure;
    }
    out << "\n";
  }
  return code;
}

}  // namespace prnset
