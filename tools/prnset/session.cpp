#include "tools/prnset/session.h"

#include <new>

#include "catalogue/ini_file.h"
#include "docoptions/settings_lookup.h"
#include "platform/owner.h"

namespace prnset {

bool ReadBytes(const WString &path, std::vector<BYTE> &bytes) {
  bytes.clear();
  UniqueFile file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

bool ParseLanguage(const Arguments &arguments, ToolLanguage &language, std::string &error) {
  static const ToolLanguage kEnglish{"en", "English", {1033, 1252}};
  static const ToolLanguage kChinese{"cn", "Chinese", {2052, 936}};
  language = kEnglish;
  if (!arguments.Has("lang")) return true;
  WString value = arguments.Value("lang");
  if (value == Ascii("en")) return true;
  if (value == Ascii("cn")) {
    language = kChinese;
    return true;
  }
  error = "--lang takes en or cn, not " + Utf8(value);
  return false;
}

CatalogueSession::CatalogueSession() : record_(NewCatalogue()) {
  if (!record_) throw std::bad_alloc();
}

CatalogueSession::~CatalogueSession() = default;

UniqueCatalogue LoadToolCatalogue(const WString &path, const ToolLanguage &language) {
  UniqueCatalogue record = NewCatalogue();
  if (!record) return record;
  LoadCatalogue(*record.get(), path.c_str(), language.load);
  return record;
}

DriverItems ReadDriverItems(const WString &path, const ToolLanguage &language) {
  DriverItems items;
  IniFile ini;
  if (!ini.Load(path.c_str(), language.load.codePage)) return items;
  INT compress = 0, move = 0;
  ReadSwitches(ini, &compress, &move);
  const auto lookup = [&](LPCWSTR name, LONG *value) { return LookupFileValue(ini, name, value); };
  items.compressOffered = compress != 0;
  items.moveOffered = move != 0;
  if (items.compressOffered) items.compress = ReadCompressChoices(lookup);
  LONG value = 0;
  lookup(kMoveKey, &value);
  items.moveStart = StartingMove(value);
  return items;
}

void CatalogueSession::Load(const WString &path, const ToolLanguage &language) {
  UniqueCatalogue loaded = LoadToolCatalogue(path, language);
  if (!loaded) throw std::bad_alloc();
  record_ = std::move(loaded);
}

}  // namespace prnset
