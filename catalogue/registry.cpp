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
  SettingsCatalogue *catalogue;
  int holds;
};

std::mutex registryLock;
std::vector<Entry> registry;
// Each thread works on the catalogue its own last page event looked up, so pages on different threads never
// see each other's catalogue.
thread_local SettingsCatalogue *currentCatalogue = nullptr;

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

SettingsCatalogue *CurrentCatalogue() { return currentCatalogue; }
void SetCurrentCatalogue(SettingsCatalogue *catalogue) { currentCatalogue = catalogue; }

SettingsCatalogue *FindCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindEntry(key);
  return entry ? entry->catalogue : nullptr;
}

int OpenCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  if (Entry *entry = FindEntry(key)) {
    // A second page of the same printer works on the catalogue already open; it is not loaded again.
    entry->holds++;
    currentCatalogue = entry->catalogue;
    return 1;
  }

  auto *catalogue =
      static_cast<SettingsCatalogue *>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(SettingsCatalogue)));
  if (!catalogue) {
    currentCatalogue = nullptr;
    return 0;
  }
  lstrcpynW(catalogue->PrinterName, key, ARRAYSIZE(catalogue->PrinterName));
  try {
    registry.push_back(Entry{});
  } catch (const std::bad_alloc &) {
    HeapFree(GetProcessHeap(), 0, catalogue);
    currentCatalogue = nullptr;
    return 0;
  }
  Entry &entry = registry.back();
  lstrcpynW(entry.printer, key, kPathChars);
  entry.catalogue = catalogue;
  entry.holds = 1;
  currentCatalogue = catalogue;

  // An unknown printer has no settings file: the catalogue stays empty and the page shows no classes.
  WCHAR path[kPathChars];
  if (LocateSettingsFile(key, path)) LoadCatalogue(path);
  return 1;
}

void ReleaseCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  SettingsCatalogue *freed = nullptr;
  {
    std::lock_guard<std::mutex> guard(registryLock);
    for (auto it = registry.begin(); it != registry.end(); ++it) {
      if (lstrcmpW(it->printer, key) != 0) continue;
      if (--it->holds > 0) return;
      freed = it->catalogue;
      registry.erase(it);
      break;
    }
  }
  if (!freed) return;
  FreeCatalogueOptions(*freed);
  HeapFree(GetProcessHeap(), 0, freed);
  if (currentCatalogue == freed) currentCatalogue = nullptr;
}

int OpenCatalogueCount() {
  std::lock_guard<std::mutex> guard(registryLock);
  return int(registry.size());
}
