// A settings file loaded for the tool as the page would load it, in the language asked for.
#pragma once

#include <memory>
#include <string>

#include "catalogue/catalogue.h"
#include "catalogue/loader.h"
#include "tools/prnset/arguments.h"

namespace prnset {

struct ToolLanguage {
  const char *option;  // "en" or "cn"
  const char *name;    // "English" or "Chinese"
  LoadLanguage load;   // 1033 with code page 1252, or 2052 with 936
};

// The language of --lang (English when it is absent). False with `error` for another value.
bool ParseLanguage(const Arguments &arguments, ToolLanguage &language, std::string &error);

// A fresh catalogue record, current while the session lives, filled by LoadCatalogueIn. The record's option lists
// are freed and the previous current catalogue restored when the session ends.
class CatalogueSession {
 public:
  CatalogueSession();
  ~CatalogueSession();
  CatalogueSession(const CatalogueSession &) = delete;
  CatalogueSession &operator=(const CatalogueSession &) = delete;

  // Loads the file in the language; the process's system language is made to agree first.
  void Load(const WString &path, const ToolLanguage &language);

  const SettingsCatalogue &catalogue() const { return *record_; }

 private:
  std::unique_ptr<SettingsCatalogue> record_;
  SettingsCatalogue *previous_;
};

}  // namespace prnset
