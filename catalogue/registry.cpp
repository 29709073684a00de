#include "catalogue/registry.h"

#include <mutex>
#include <new>
#include <vector>

#include "catalogue/loader.h"
#include "catalogue/settings_location.h"

namespace {

// One catalogue under the full printer name. Pages of the same printer share it and count as `pages`; operations
// in progress count as `holds`. With no page left it can no longer be found, and it goes with its last hold.
struct Entry {
  WCHAR printer[kPathChars];
  UniqueCatalogue catalogue;
  int pages;
  int holds;
};

std::mutex registryLock;
std::vector<Entry> registry;

// The key of a printer: its name as the caption gives it, cut to what a path buffer holds.
void KeyOf(LPCWSTR printerName, WCHAR (&key)[kPathChars]) {
  lstrcpynW(key, printerName ? printerName : WTEXT(""), kPathChars);
}

// The entry a page of the printer opened and has not released. Callers hold the lock.
Entry *FindOpenEntry(LPCWSTR key) {
  for (Entry &entry : registry)
    if (entry.pages > 0 && lstrcmpW(entry.printer, key) == 0) return &entry;
  return nullptr;
}

// Takes the entry out of the registry when nothing uses it any more; the caller frees what it gets after dropping
// the lock. Callers hold the lock.
UniqueCatalogue TakeIfUnused(std::vector<Entry>::iterator entry) {
  if (entry->pages > 0 || entry->holds > 0) return UniqueCatalogue();
  UniqueCatalogue unused = std::move(entry->catalogue);
  registry.erase(entry);
  return unused;
}

// The thread's current catalogue must not point at a record about to be freed.
void Forget(const UniqueCatalogue &freed) {
  if (freed && CurrentCatalogue() == freed.get()) SetCurrentCatalogue(nullptr);
}

// A fresh record loaded from the printer's settings file. An unknown printer has no settings file: the catalogue
// stays empty and the page shows no classes.
UniqueCatalogue LoadPrinterCatalogue(LPCWSTR printerName) {
  UniqueCatalogue catalogue = NewCatalogue();
  if (!catalogue) return catalogue;
  WCHAR path[kPathChars];
  if (LocateSettingsFile(printerName, path)) LoadCatalogue(*catalogue.get(), path, SystemLoadLanguage());
  return catalogue;
}

}  // namespace

SettingsCatalogue *FindCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindOpenEntry(key);
  return entry ? entry->catalogue.get() : nullptr;
}

void DropCatalogueHold::operator()(SettingsCatalogue *catalogue) const {
  UniqueCatalogue freed;
  {
    std::lock_guard<std::mutex> guard(registryLock);
    for (auto it = registry.begin(); it != registry.end(); ++it) {
      if (it->catalogue.get() != catalogue) continue;
      --it->holds;
      freed = TakeIfUnused(it);
      break;
    }
  }
  Forget(freed);
}

CatalogueHold HoldCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindOpenEntry(key);
  if (!entry) return CatalogueHold();
  entry->holds++;
  return CatalogueHold(entry->catalogue.get());
}

CatalogueHold HoldPageCatalogue(LPCWSTR printerName) {
  CatalogueHold catalogue = HoldCatalogue(printerName);
  SetCurrentCatalogue(catalogue.get());
  return catalogue;
}

namespace {

// Registers a loaded record under the key as one page's, or shares the one another page of the printer registered
// meanwhile (the load is then dropped, after the lock, with `loaded`).
int RegisterPage(LPCWSTR key, UniqueCatalogue loaded) {
  if (!loaded) return 0;
  lstrcpynW(loaded.get()->PrinterName, key, ARRAYSIZE(loaded.get()->PrinterName));
  std::lock_guard<std::mutex> guard(registryLock);
  if (Entry *entry = FindOpenEntry(key)) {
    entry->pages++;
    SetCurrentCatalogue(entry->catalogue.get());
    return 1;
  }
  try {
    registry.push_back(Entry{});
  } catch (const std::bad_alloc &) {
    return 0;
  }
  Entry &entry = registry.back();
  lstrcpynW(entry.printer, key, kPathChars);
  entry.catalogue = std::move(loaded);
  entry.pages = 1;
  entry.holds = 0;
  SetCurrentCatalogue(entry.catalogue.get());
  return 1;
}

}  // namespace

int OpenCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  SetCurrentCatalogue(nullptr);
  {
    std::lock_guard<std::mutex> guard(registryLock);
    if (Entry *entry = FindOpenEntry(key)) {
      // A second page of the same printer works on the catalogue already open; it is not loaded again.
      entry->pages++;
      SetCurrentCatalogue(entry->catalogue.get());
      return 1;
    }
  }
  // Locating asks the spooler (a network printer may take long) and loading reads the file: neither holds up the
  // pages of other printers.
  return RegisterPage(key, LoadPrinterCatalogue(printerName));
}

int OpenCatalogue(LPCWSTR printerName, UniqueCatalogue loaded) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  SetCurrentCatalogue(nullptr);
  return RegisterPage(key, std::move(loaded));
}

void ReleaseCatalogue(LPCWSTR printerName) {
  WCHAR key[kPathChars];
  KeyOf(printerName, key);
  UniqueCatalogue freed;
  {
    std::lock_guard<std::mutex> guard(registryLock);
    for (auto it = registry.begin(); it != registry.end(); ++it) {
      if (it->pages == 0 || lstrcmpW(it->printer, key) != 0) continue;
      --it->pages;
      freed = TakeIfUnused(it);
      break;
    }
  }
  Forget(freed);
}

int OpenCatalogueCount() {
  std::lock_guard<std::mutex> guard(registryLock);
  return int(registry.size());
}
