#include "catalogue/registry.h"

#include <mutex>
#include <new>
#include <vector>

#include "catalogue/loader.h"
#include "catalogue/settings_location.h"

namespace {

// One open catalogue under the full printer name; pages of the same printer share it and count their holds.
struct Entry {
  WCHAR printer[kPathChars];
  UniqueCatalogue catalogue;
  int holds;
};

std::mutex registryLock;
std::vector<Entry> registry;

// The key of a printer: its name as the caption gives it, cut to what a path buffer holds.
void KeyOf(LPCWSTR printerName, WCHAR (&key)[kPathChars]) {
  lstrcpynW(key, printerName ? printerName : WTEXT(""), kPathChars);
}

Entry *FindEntry(LPCWSTR key) {
  for (Entry &entry : registry)
    if (lstrcmpW(entry.printer, key) == 0) return &entry;
  return nullptr;
}

}  // namespace

SettingsCatalogue *FindCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindEntry(key);
  return entry ? entry->catalogue.get() : nullptr;
}

int OpenCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  if (Entry *entry = FindEntry(key)) {
    // A second page of the same printer works on the catalogue already open; it is not loaded again.
    entry->holds++;
    SetCurrentCatalogue(entry->catalogue.get());
    return 1;
  }

  SetCurrentCatalogue(nullptr);
  UniqueCatalogue catalogue = NewCatalogue();
  if (!catalogue) return 0;
  lstrcpynW(catalogue.get()->PrinterName, key, ARRAYSIZE(catalogue.get()->PrinterName));
  // An unknown printer has no settings file: the catalogue stays empty and the page shows no classes.
  WCHAR path[kPathChars];
  if (LocateSettingsFile(key, path)) LoadCatalogue(*catalogue.get(), path, SystemLoadLanguage());
  try {
    registry.push_back(Entry{});
  } catch (const std::bad_alloc &) {
    return 0;
  }
  Entry &entry = registry.back();
  lstrcpynW(entry.printer, key, kPathChars);
  entry.catalogue = std::move(catalogue);
  entry.holds = 1;
  SetCurrentCatalogue(entry.catalogue.get());
  return 1;
}

void ReleaseCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  UniqueCatalogue freed;
  {
    std::lock_guard<std::mutex> guard(registryLock);
    for (auto it = registry.begin(); it != registry.end(); ++it) {
      if (lstrcmpW(it->printer, key) != 0) continue;
      if (--it->holds > 0) return;
      freed = std::move(it->catalogue);
      registry.erase(it);
      break;
    }
  }
  if (freed && CurrentCatalogue() == freed.get()) SetCurrentCatalogue(nullptr);
}

int OpenCatalogueCount() {
  std::lock_guard<std::mutex> guard(registryLock);
  return int(registry.size());
}
