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
#include "tools/prnset/session.h"
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

  const IniFile::Section *Find(const WString &name) const { return ini_.FirstSection(name.c_str(), name.size()); }

  // The line's key, as the INF means it: its first field; empty for a comment. A file list's line without '=' is all
  // key: "Laser 1_Settings.Dat",,,0x20 ; the settings file.
  WString Key(const IniFile::Entry &entry) const { return Split(ini_.Text(entry.name, entry.nameLength))[0]; }

  // The name the package holds the file under when a line of a file list names it (its second field, where the
  // copy renames it: "Laser 1_Settings.Dat",L1.DAT), or a CopyFiles directive names it alone (@file or @"file");
  // empty when nothing copies it.
  WString CopiedFrom(const WString &file) const {
    for (const IniFile::Section &section : ini_.sections())
      for (const IniFile::Entry &entry : section.entries) {
        if (entry.valueLength == std::string::npos && SameName(Key(entry), file)) {
          const std::vector<WString> fields = Split(ini_.Text(entry.name, entry.nameLength));
          return fields.size() > 1 && !fields[1].empty() ? fields[1] : file;
        }
        if (SameName(Key(entry), WTEXT("CopyFiles")))
          for (const WString &field : Fields(entry))
            if (!field.empty() && field[0] == WTEXT('@') && SameName(Field(field.substr(1)), file)) return file;
      }
    return WString();
  }

  // Where an installer takes a copied file from. Each [SourceDisksFiles] section, undecorated or of an architecture,
  // that lists the file gives a folder below the INF's: the path of its disk in [SourceDisksNames] of the same
  // decoration (else the undecorated one), then the line's subfolder. `layout`: the INF has such sections at all;
  // without them an installer looks beside the INF.
  struct Source {
    bool layout = false, listed = false;
    std::vector<WString> folders;  // relative, '\\' between folders; empty for the INF's own folder
    std::vector<WString> names;    // the file's name as those lines spell it: on Linux, letter case counts
  };
  Source SourceOf(const WString &file) const {
    static const WString kFiles = WTEXT("SourceDisksFiles"), kNames = WTEXT("SourceDisksNames");
    Source source;
    for (const IniFile::Section &section : ini_.sections()) {
      const WString name = ini_.Text(section.name, section.nameLength);
      if (name.size() < kFiles.size() || !SameName(name.substr(0, kFiles.size()), kFiles) ||
          (name.size() > kFiles.size() && name[kFiles.size()] != WTEXT('.')))
        continue;
      source.layout = true;
      for (const IniFile::Entry &entry : section.entries) {
        if (!SameName(Key(entry), file)) continue;
        source.listed = true;
        std::vector<WString> place = Fields(entry);  // disk, subfolder, size
        // The disks of the file's decoration, else the undecorated ones; an undecorated line is read by every
        // architecture's installer, each with its own disks where it has them.
        std::vector<const IniFile::Section *> disks;
        if (const IniFile::Section *own = Find(kNames + name.substr(kFiles.size()))) disks.push_back(own);
        if (name.size() == kFiles.size())
          for (const IniFile::Section &other : ini_.sections()) {
            const WString otherName = ini_.Text(other.name, other.nameLength);
            if (otherName.size() > kNames.size() + 1 && otherName[kNames.size()] == WTEXT('.') &&
                SameName(otherName.substr(0, kNames.size()), kNames))
              disks.push_back(&other);
          }
        if (disks.empty()) disks.push_back(nullptr);
        for (const IniFile::Section *section : disks) {
          WString disk;
          for (size_t i = 0; section && !place.empty() && !place[0].empty() && i < section->entries.size(); ++i)
            if (SameName(Key(section->entries[i]), place[0])) {
              std::vector<WString> fields = Fields(section->entries[i]);  // description, tag file, -, path
              if (fields.size() > 3) disk = fields[3];
              break;
            }
          WString folder = Joined(disk, place.size() > 1 ? place[1] : WString());
          if (std::find(source.folders.begin(), source.folders.end(), folder) == source.folders.end())
            source.folders.push_back(folder);
        }
        source.names.push_back(Key(entry));
      }
    }
    return source;
  }

  // The token's name when the text is a %name% that [Strings] lacks: an installer can take the text as it is.
  WString LackingString(const WString &text) const {
    if (text.size() < 3 || text.front() != WTEXT('%') || text.back() != WTEXT('%')) return WString();
    WString name = text.substr(1, text.size() - 2), value;
    return StringOf(name, value) ? WString() : name;
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

  // Two folders of the layout as one, relative to the INF's: a disk's path often starts with '\' (the disk's
  // root, which is where the INF lies) or is ".".
  static WString Joined(const WString &disk, const WString &subfolder) {
    WString joined;
    for (const WString &part : {disk, subfolder}) {
      size_t begin = part.find_first_not_of(WTEXT("\\/"));
      size_t end = part.find_last_not_of(WTEXT("\\/"));
      if (begin == WString::npos || part.substr(begin, end + 1 - begin) == WTEXT(".")) continue;
      joined += (joined.empty() ? WString() : WString(1, WTEXT('\\'))) + part.substr(begin, end + 1 - begin);
    }
    return joined;
  }

  WString Field(const WString &raw) const {
    WString text = Trimmed(raw);
    if (!text.empty() && text[0] == WTEXT(';')) return WString();
    if (text.size() >= 2 && text.front() == WTEXT('"') && text.back() == WTEXT('"')) return text.substr(1, text.size() - 2);
    WString value;
    if (text.size() >= 2 && text.front() == WTEXT('%') && text.back() == WTEXT('%') &&
        StringOf(text.substr(1, text.size() - 2), value))
      return value;
    return text;
  }

  // The [Strings] entry of the name.
  bool StringOf(const WString &name, WString &value) const {
    if (const IniFile::Section *strings = Find(WTEXT("Strings")))
      for (const IniFile::Entry &entry : strings->entries)
        if (SameName(Key(entry), name)) {
          std::vector<WString> fields = Fields(entry);
          if (fields.empty()) continue;
          value = fields[0];
          return true;
        }
    return false;
  }

  IniFile ini_;
};

struct ModelFile {
  WString model;
  WString settingsFile;  // empty when the name is too long for a path
  std::vector<WString> sections, offered;  // the models sections that list it, and all its maker's
  bool inPackage = false;    // the package holds the file, with these bytes
  std::vector<BYTE> bytes;
};

// The 1-based line of the first byte beyond ASCII, or 0 when there is none. Lines end as the INI reader ends them:
// at CR LF, a lone LF or a lone CR.
int LineOfFirstByteBeyondAscii(const std::vector<BYTE> &bytes) {
  int line = 1;
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] >= 0x80) return line;
    if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'))) ++line;
  }
  return 0;
}

// The bytes decoded in the code page, as UTF-16 with its byte order mark: the INI reader then takes them as they are.
std::vector<BYTE> Utf16In(UINT codePage, const std::vector<BYTE> &bytes) {
  std::vector<BYTE> utf16 = {0xFF, 0xFE};
  const LPCSTR text = reinterpret_cast<LPCSTR>(bytes.data());
  const int chars = bytes.empty() ? 0 : MultiByteToWideChar(codePage, 0, text, int(bytes.size()), nullptr, 0);
  std::vector<WCHAR> wide(size_t(chars > 0 ? chars : 1));
  if (chars > 0) MultiByteToWideChar(codePage, 0, text, int(bytes.size()), wide.data(), chars);
  for (int i = 0; i < chars; ++i) {
    utf16.push_back(BYTE(wide[size_t(i)] & 0xFF));
    utf16.push_back(BYTE(wide[size_t(i)] >> 8));
  }
  return utf16;
}

// The line that tells an INF without a byte order mark whose text goes beyond ASCII, first on line `line`, read in
// the code page; `names`: model names are among that text.
std::string CodePageNote(IniFile::Encoding encoding, int line, UINT codePage, bool names) {
  const std::string where = "line " + std::to_string(line), page = "code page " + std::to_string(codePage);
  std::string note = encoding == IniFile::Encoding::Utf8
                         ? "The INF is UTF-8 without a byte order mark (its first character beyond ASCII on " + where +
                               "), which risks an installer reading it as ANSI, in its system's code page: read so "
                               "here, in " + page + ", its characters beyond ASCII are garbled."
                         : "The INF is ANSI with bytes beyond ASCII (the first on " + where +
                               "), which an installer reads in its system's code page: read here in " + page +
                               ", they can read otherwise there.";
  if (names) note += " Model names beyond ASCII, and their settings files' names, then differ from system to system.";
  return note + " Save the INF as UTF-16 with a byte order mark.\n";
}

// A name as people and terminals see it: invisible and control characters spelt out.
std::string Shown(const WString &text) { return EscapeText(Utf8(text)); }

// Only the first word tells a model from another that reads the same file: the same printer under two names, or a
// model that must be renamed after its first word. The name an example gives: the first word's letter added.
std::string RenamedExample(const WString &model) {
  const size_t blank = model.find(WTEXT(' '));
  if (blank == WString::npos || blank == 0) return std::string();
  return " (for example \"" + Shown(model + model[0]) + "\")";
}

// Two names that differ only in blanks, punctuation and letter case: most likely one model spelt two ways.
bool NearlySame(const WString &a, const WString &b) {
  auto letter = [](WCHAR c) {
    return (c >= WTEXT('0') && c <= WTEXT('9')) || (Folded(c) >= WTEXT('a') && Folded(c) <= WTEXT('z')) || c >= 0x80;
  };
  size_t i = 0, j = 0;
  for (;; ++i, ++j) {
    while (i < a.size() && !letter(a[i])) ++i;
    while (j < b.size() && !letter(b[j])) ++j;
    if (i == a.size() || j == b.size() || Folded(a[i]) != Folded(b[j])) break;
  }
  return i == a.size() && j == b.size() && !SameName(a, b);
}

// The sections as a list: "[A], [B]".
std::string SectionList(const std::vector<WString> &sections) {
  std::string text;
  for (const WString &section : sections) text += (text.empty() ? "[" : ", [") + Shown(section) + "]";
  return text;
}

// A line for a model that only some of its maker's models sections list, when a section that leaves it out lists
// it spelt otherwise: the printers of that architecture read a file of another name. Told once, on the one that
// looks misspelt: in fewer sections, else with a file the INF does not copy, else the later one. Empty otherwise.
std::string SpeltOtherwise(const ModelFile &model, const std::vector<ModelFile> &models, const InfText &inf) {
  auto listed = [](const std::vector<WString> &sections, const WString &section) {
    return std::any_of(sections.begin(), sections.end(), [&](const WString &s) { return SameName(s, section); });
  };
  auto rank = [&](const ModelFile &m) {
    return std::make_pair(m.sections.size(), !inf.CopiedFrom(m.settingsFile).empty());
  };
  for (const ModelFile &other : models) {
    if (!NearlySame(model.model, other.model) || rank(other) < rank(model) ||
        (rank(model) == rank(other) && &model < &other))
      continue;
    std::vector<WString> where;  // the sections that list the other spelling and not this one
    for (const WString &section : other.sections)
      if (listed(model.offered, section) && !listed(model.sections, section)) where.push_back(section);
    if (where.empty()) continue;
    return "  only " + SectionList(model.sections) + (model.sections.size() == 1 ? " lists" : " list") +
           " this model, and " + SectionList(where) + (where.size() == 1 ? " lists" : " list") + " \"" +
           Shown(other.model) +
           "\", which differs only in blanks, punctuation or letter case: spell the model alike in every list\n";
  }
  return std::string();
}

}  // namespace

int ModelsCommand(const FileArguments &parsed, std::ostream &out, std::ostream &err) {
  const UINT codePage = parsed.language.load.codePage;
  std::vector<BYTE> bytes;
  IniFile ini;
  const BYTE none = 0;  // the reader takes no null pointer, even for an empty file
  if (ReadBytes(parsed.file, bytes) && bytes.size() <= IniFile::kMaxFileBytes)
    ini.Parse(bytes.empty() ? &none : bytes.data(), bytes.size(), codePage);
  if (ini.encoding() == IniFile::Encoding::None) {
    Complain(err, "models", "cannot read " + parsed.shownFiles[0]);
    return kExitUsage;
  }
  // An installer can take UTF-8 without a byte order mark for ANSI (the platform's INF reader under Wine does), and
  // ANSI depends on the installing system's code page: the INF is read as ANSI here too, in the tool's code page.
  const IniFile::Encoding encoding = ini.encoding();
  const int beyondAscii = LineOfFirstByteBeyondAscii(bytes);
  if (encoding == IniFile::Encoding::Utf8) {
    const std::vector<BYTE> utf16 = Utf16In(codePage, bytes);
    if (utf16.size() <= IniFile::kMaxFileBytes) ini.Parse(utf16.data(), utf16.size(), codePage);
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
      std::vector<WString> sections = {fields[0]}, offered;
      for (size_t i = 1; i < fields.size(); ++i)
        if (!fields[i].empty()) sections.push_back(fields[0] + WTEXT(".") + fields[i]);
      for (const WString &name : sections)
        if (inf.Find(name)) offered.push_back(name);
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
          if (known != models.end()) {
            if (!SameName(known->sections.back(), name)) known->sections.push_back(name);
            continue;
          }
          WCHAR file[kPathChars] = {};
          const bool fits = SettingsFileNameOf(model.c_str(), file, kPathChars) != 0;
          models.push_back({model, fits ? WString(file) : WString(), {name}, offered, false, {}});
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

  // The package is the INF's folder; an INF read from standard input or a pipe has none to look into.
  const bool inPackage = Utf8(parsed.file) == parsed.shownFiles[0];
  const WString folder = parsed.file.substr(0, parsed.file.find_last_of(WTEXT("\\/")) + 1);
  // Whether the package holds the file where the layout puts it, or beside the INF: then `bytes` holds it.
  auto found = [&](const WString &file, const InfText::Source &source, std::vector<BYTE> &bytes) {
    std::vector<WString> folders = source.folders, names = source.names;
    folders.push_back(WString());
    names.push_back(file);
    for (const WString &relative : folders)
      for (const WString &name : names)
        if (ReadBytes(folder + relative + (relative.empty() ? WString() : WTEXT("\\")) + name, bytes)) return true;
    return false;
  };

  // Text beyond ASCII in an INF without a byte order mark reads as the installing system's code page has it. A
  // model name beyond ASCII then names the settings file differently from system to system.
  int code = kExitSuccess;
  if (beyondAscii && (encoding == IniFile::Encoding::Ansi || encoding == IniFile::Encoding::Utf8)) {
    const bool names = std::any_of(models.begin(), models.end(), [](const ModelFile &model) {
      return std::any_of(model.model.begin(), model.model.end(), [](WCHAR c) { return c >= 0x80; });
    });
    out << CodePageNote(encoding, beyondAscii, codePage, names);
    if (names) code = kExitFailure;
  }

  // A settings file the INF does not copy is not installed: the page of that model's printers stays empty. One the
  // package lacks, or that [SourceDisksFiles] leaves out, fails the install. Models that share a file are told,
  // since one file then serves them all, and so is a file identical to another model's: a copy not yet made the
  // model's own gives its page the other model's items, limits and commands.
  for (ModelFile &model : models) {
    const WString lacking = inf.LackingString(model.model);
    if (!lacking.empty() || model.settingsFile.empty()) {
      out << Shown(model.model) << ": "
          << (lacking.empty() ? "the model name is too long for a settings file's path"
                              : "[Strings] has no " + Shown(lacking) + ", so the model has no name of its own")
          << "\n";
      code = kExitFailure;
      continue;
    }
    out << Shown(model.model) << ": \"" << Shown(model.settingsFile) << "\"";
    std::vector<std::string> sharing;
    const ModelFile *first = nullptr;  // the first model of those that share the file, when it is another
    for (const ModelFile &other : models)
      if (&other != &model && SameName(other.settingsFile, model.settingsFile)) {
        sharing.push_back(Shown(other.model));
        if (!first && &other < &model) first = &other;
      }
    for (size_t i = 0; i < sharing.size(); ++i) out << (i ? ", " : " (shared with ") << sharing[i];
    if (!sharing.empty()) out << ")";
    const WString copiedFrom = inf.CopiedFrom(model.settingsFile);
    const InfText::Source source = inf.SourceOf(copiedFrom);
    const std::string renamed = SameName(copiedFrom, model.settingsFile) ? "" : " (" + Shown(copiedFrom) + ")";
    const size_t unfit = model.settingsFile.find_first_of(WTEXT("\\/:*?\"<>|"));
    std::string wanting;
    if (unfit != WString::npos) {
      wanting = "the name holds \"" + Shown(model.settingsFile.substr(unfit, 1)) + "\"" +
                ", which a file's name cannot hold (Windows takes \\ and / for a folder's end): the printers of this "
                "model find no settings file an installer copies; rename the model";
    } else if (copiedFrom.empty()) {
      wanting = "the INF copies no file of that name";
    } else if (source.layout && !source.listed) {
      wanting = "[SourceDisksFiles] does not list it" + renamed + ", so an installer finds no source for it";
    } else if (inPackage && !(model.inPackage = found(copiedFrom, source, model.bytes))) {
      wanting = "the package lacks the file" + renamed + ": it is not beside the INF";
      std::string elsewhere;
      for (const WString &relative : source.folders)
        if (!relative.empty()) elsewhere += (elsewhere.empty() ? "" : " or ") + Shown(relative);
      if (!elsewhere.empty())
        wanting = "the package lacks the file" + renamed + ": it is neither beside the INF nor in " + elsewhere;
    }
    if (!wanting.empty()) {
      out << " - " << wanting;
      code = kExitFailure;
    }
    out << "\n";
    // A blank the name doubles after the first word begins the file's name, where nobody sees it.
    if (model.settingsFile[0] == WTEXT(' '))
      out << "  the model name has two blanks after its first word, so the file's name begins with a blank\n";
    out << SpeltOtherwise(model, models, inf);
    if (first)
      out << "  only the first word tells it from " << Shown(first->model)
          << ", so the two cannot have different settings files: unless they are one printer, change this model's "
             "name after its first word"
          << RenamedExample(model.model) << "\n";
    for (const ModelFile *other = models.data(); model.inPackage && other < &model; ++other)
      if (other->inPackage && !SameName(other->settingsFile, model.settingsFile) && other->bytes == model.bytes) {
        out << "  identical to the file of " << Shown(other->model)
            << ": a copy not yet edited gives this model's page that model's items, limits and commands\n";
        break;
      }
  }
  if (!inPackage) out << "The package's files were not looked for: the INF was not read from its folder.\n";
  return code;
}

}  // namespace prnset
