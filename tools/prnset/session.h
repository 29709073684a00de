// A settings file loaded for the tool as the page would load it, in the language asked for.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "catalogue/loader.h"
#include "docoptions/compress_choices.h"
#include "tools/prnset/arguments.h"

namespace prnset {

struct ToolLanguage {
  const char *option;  // "en" or "cn"
  const char *name;    // "English" or "Chinese"
  LoadLanguage load;   // 1033 with code page 1252, or 2052 with 936
};

// The language of --lang (English when it is absent). False with `error` for another value.
bool ParseLanguage(const Arguments &arguments, ToolLanguage &language, std::string &error);

// The file's bytes as they are, up to one byte more than the settings file's reader takes (so that a larger file is
// seen as such). Read to its end, not by its stated size: a file whose read fails is unreadable, not empty.
bool ReadBytes(const WString &path, std::vector<BYTE> &bytes);

// A new record filled by the page's loader from the file in the language; empty when the heap has no room.
UniqueCatalogue LoadToolCatalogue(const WString &path, const ToolLanguage &language);

// The driver's own items of the printer's settings, as the plug-in reads them from the file's [Settings]: offered or
// not, and what each starts at.
struct DriverItems {
  bool compressOffered = false, moveOffered = false;
  CompressChoices compress;  // the choices, and the one they start at
  LONG moveStart = 0;        // within kMinMoveMillimetres to kMaxMoveMillimetres
};
DriverItems ReadDriverItems(const WString &path, const ToolLanguage &language);

// A fresh catalogue record of the tool's own, filled by the page's loader. Its option lists are freed with it.
class CatalogueSession {
 public:
  CatalogueSession();
  ~CatalogueSession();
  CatalogueSession(const CatalogueSession &) = delete;
  CatalogueSession &operator=(const CatalogueSession &) = delete;

  // Loads the file in the language. Throws std::bad_alloc when the heap has no room for the record.
  void Load(const WString &path, const ToolLanguage &language);

  const SettingsCatalogue &catalogue() const { return *record_.get(); }

 private:
  UniqueCatalogue record_;
};

}  // namespace prnset
