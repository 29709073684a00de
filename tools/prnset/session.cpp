#include "tools/prnset/session.h"

#include <new>

#include "tools/prnset/system.h"

namespace prnset {

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

bool IsReadableFile(const WString &path) {
  if (path.empty()) return false;
  UniqueFile file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  return bool(file);
}

CatalogueSession::CatalogueSession() : record_(NewCatalogue()) {
  if (!record_) throw std::bad_alloc();
}

CatalogueSession::~CatalogueSession() = default;

void CatalogueSession::Load(const WString &path, const ToolLanguage &language) {
  UseSystemLanguage(language.load.language);
  FreeCatalogueOptions(*record_.get());
  LoadCatalogue(*record_.get(), path.c_str(), language.load);
}

}  // namespace prnset
