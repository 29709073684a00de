#include "catalogue/registry.h"

#include <mutex>
#include <new>
#include <vector>

#include "catalogue/ini_file.h"
#include "catalogue/loader.h"
#include "catalogue/settings_location.h"

namespace {

// The settings file as a load sees it: where it lies, the language it is read in, and its bytes (their count and
// a 64-bit FNV-1a digest). Two stamps that agree mean a new load would give the same record.
struct FileStamp {
  WCHAR path[kPathChars];  // empty: the printer has no settings file the spooler could name
  LoadLanguage language;
  bool readable;
  ULONGLONG size;
  ULONGLONG digest;
};

bool SameStamp(const FileStamp &a, const FileStamp &b) {
  return lstrcmpW(a.path, b.path) == 0 && a.language.language == b.language.language &&
         a.language.codePage == b.language.codePage && a.readable == b.readable && a.size == b.size &&
         a.digest == b.digest;
}

// The file's bytes digested as they are now. A file the loader would refuse as too large is known by its size.
void DigestFile(FileStamp &stamp) {
  UniqueFile file(CreateFileW(stamp.path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size = {};
  if (!file || !GetFileSizeEx(file.get(), &size) || size.QuadPart < 0) return;
  stamp.readable = true;
  stamp.size = ULONGLONG(size.QuadPart);
  if (stamp.size > IniFile::kMaxFileBytes) return;
  BYTE chunk[4096];
  DWORD read = 0;
  ULONGLONG digest = 14695981039346656037ull;
  while (ReadFile(file.get(), chunk, sizeof(chunk), &read, nullptr) && read > 0) {
    for (DWORD i = 0; i < read; ++i) digest = (digest ^ chunk[i]) * 1099511628211ull;
  }
  stamp.digest = digest;
}

FileStamp StampOf(LPCWSTR printerName) {
  FileStamp stamp = {};
  stamp.language = SystemLoadLanguage();
  if (LocateSettingsFile(printerName, stamp.path)) DigestFile(stamp);
  else stamp.path[0] = 0;
  return stamp;
}

// One loaded record of a printer. Its pages count as `pages`, operations in progress as `holds`. With no page left
// it can no longer be found, and it goes with its last hold.
struct Entry {
  WCHAR printer[kPathChars];
  FileStamp stamp;
  UniqueCatalogue catalogue;
  int pages;
  int holds;
};

std::mutex registryLock;
std::vector<Entry> registry;

bool FitsKey(LPCWSTR printerName) { return printerName && lstrlenW(printerName) < kPathChars; }

// The entry the printer's latest page opened and has not closed, or the one of that page whose file has the stamp.
// Callers hold the lock.
Entry *FindOpenEntry(LPCWSTR key, const FileStamp *stamp = nullptr) {
  for (auto it = registry.rbegin(); it != registry.rend(); ++it)
    if (it->pages > 0 && lstrcmpW(it->printer, key) == 0 && (!stamp || SameStamp(it->stamp, *stamp))) return &*it;
  return nullptr;
}

std::vector<Entry>::iterator EntryOf(const SettingsCatalogue *catalogue) {
  for (auto it = registry.begin(); it != registry.end(); ++it)
    if (it->catalogue.get() == catalogue) return it;
  return registry.end();
}

// Takes the entry out of the registry when nothing uses it any more; the caller frees what it gets after dropping
// the lock. Callers hold the lock.
UniqueCatalogue TakeIfUnused(std::vector<Entry>::iterator entry) {
  if (entry->pages > 0 || entry->holds > 0) return UniqueCatalogue();
  UniqueCatalogue unused = std::move(entry->catalogue);
  registry.erase(entry);
  return unused;
}

// One page of the entry's record fewer. Callers hold the lock and free what they get after dropping it.
UniqueCatalogue ClosePage(std::vector<Entry>::iterator entry) {
  if (entry->pages == 0) return UniqueCatalogue();
  --entry->pages;
  return TakeIfUnused(entry);
}

// One more page on the entry's record. Callers hold the lock.
PageCatalogue AddPage(Entry &entry) {
  entry.pages++;
  return PageCatalogue(entry.catalogue.get());
}

// A fresh record loaded from the file the stamp names. An unknown printer has no settings file: the catalogue stays
// empty and the page shows no classes.
UniqueCatalogue LoadStamped(LPCWSTR printerName, const FileStamp &stamp) {
  UniqueCatalogue catalogue = NewCatalogue();
  if (!catalogue) return catalogue;
  lstrcpynW(catalogue.get()->PrinterName, printerName, ARRAYSIZE(catalogue.get()->PrinterName));
  if (stamp.path[0]) LoadCatalogue(*catalogue.get(), stamp.path, stamp.language);
  return catalogue;
}

}  // namespace

SettingsCatalogue *FindCatalogue(LPCWSTR printerName) {
  if (!FitsKey(printerName)) return nullptr;
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindOpenEntry(printerName);
  return entry ? entry->catalogue.get() : nullptr;
}

void DropCatalogueHold::operator()(SettingsCatalogue *catalogue) const {
  UniqueCatalogue freed;
  std::lock_guard<std::mutex> guard(registryLock);
  auto it = EntryOf(catalogue);
  if (it == registry.end()) return;
  --it->holds;
  freed = TakeIfUnused(it);
}

CatalogueHold HoldCatalogue(LPCWSTR printerName) {
  if (!FitsKey(printerName)) return CatalogueHold();
  std::lock_guard<std::mutex> guard(registryLock);
  Entry *entry = FindOpenEntry(printerName);
  if (!entry) return CatalogueHold();
  entry->holds++;
  return CatalogueHold(entry->catalogue.get());
}

void ClosePageCatalogue::operator()(SettingsCatalogue *catalogue) const {
  UniqueCatalogue freed;
  std::lock_guard<std::mutex> guard(registryLock);
  auto it = EntryOf(catalogue);
  if (it != registry.end()) freed = ClosePage(it);
}

PageCatalogue OpenPageCatalogue(LPCWSTR printerName) {
  if (!FitsKey(printerName)) return PageCatalogue();
  // Locating asks the spooler (a network printer may take long) and the file is read twice, for its stamp and by
  // the load: none of it holds up the pages of other printers.
  const FileStamp stamp = StampOf(printerName);
  {
    std::lock_guard<std::mutex> guard(registryLock);
    if (Entry *entry = FindOpenEntry(printerName, &stamp)) return AddPage(*entry);
  }
  UniqueCatalogue loaded = LoadStamped(printerName, stamp);
  if (!loaded) return PageCatalogue();
  // Another page of the printer may have loaded the same file meanwhile: share its record, drop this one (after
  // the lock, with `loaded`).
  std::lock_guard<std::mutex> guard(registryLock);
  if (Entry *entry = FindOpenEntry(printerName, &stamp)) return AddPage(*entry);
  try {
    registry.push_back(Entry{});
  } catch (const std::bad_alloc &) {
    return PageCatalogue();
  }
  Entry &entry = registry.back();
  lstrcpynW(entry.printer, printerName, kPathChars);
  entry.stamp = stamp;
  entry.catalogue = std::move(loaded);
  entry.pages = 0;
  entry.holds = 0;
  return AddPage(entry);
}

int OpenCatalogue(LPCWSTR printerName) { return OpenPageCatalogue(printerName).release() ? 1 : 0; }

void ReleaseCatalogue(LPCWSTR printerName) {
  if (!FitsKey(printerName)) return;
  UniqueCatalogue freed;
  std::lock_guard<std::mutex> guard(registryLock);
  if (Entry *entry = FindOpenEntry(printerName)) freed = ClosePage(registry.begin() + (entry - registry.data()));
}

int OpenCatalogueCount() {
  std::lock_guard<std::mutex> guard(registryLock);
  return int(registry.size());
}
