#include "catalogue/settings_location.h"

#include "catalogue/catalogue.h"
#include "platform/owner.h"

namespace {

const WCHAR kSubdirectory[] = WTEXT("\\3\\");
const WCHAR kSuffix[] = WTEXT("_Settings.Dat");

}  // namespace

int LocateSettingsFileOfPrinter(HANDLE printer, LPWSTR path) {
  WCHAR built[kPathChars] = {};
  DWORD needed = 0;
  // NULL names the current environment, as the spooler documents it.
  if (!GetPrinterDriverDirectoryW(nullptr, nullptr, 1, reinterpret_cast<LPBYTE>(built), sizeof(built), &needed))
    return 0;
  built[kPathChars - 1] = 0;
  int length = lstrlenW(built);

  needed = 0;
  GetPrinterDriverW(printer, nullptr, 1, nullptr, 0, &needed);
  if (needed < sizeof(DRIVER_INFO_1W)) return 0;
  UniqueHeapBlock<BYTE> info = AllocateHeapBlock<BYTE>(needed);
  if (!info) return 0;
  if (!GetPrinterDriverW(printer, nullptr, 1, info.get(), needed, &needed)) return 0;
  LPCWSTR driver = reinterpret_cast<DRIVER_INFO_1W *>(info.get())->pName;
  if (!driver) return 0;

  WCHAR file[kPathChars];
  if (!SettingsFileNameOf(driver, file, kPathChars)) return 0;
  if (length + lstrlenW(kSubdirectory) + lstrlenW(file) >= kPathChars) return 0;

  lstrcpyW(built + length, kSubdirectory);
  lstrcatW(built, file);
  lstrcpynW(path, built, kPathChars);
  return 1;
}

int SettingsFileNameOf(LPCWSTR driverName, LPWSTR name, int chars) {
  if (!driverName || !name || chars <= 0) return 0;
  // Printers of one driver share one file, named after the driver without its first word.
  LPCWSTR stem = driverName;
  for (LPCWSTR p = driverName; *p; ++p)
    if (*p == WTEXT(' ')) {
      stem = p + 1;
      break;
    }
  if (lstrlenW(stem) + lstrlenW(kSuffix) >= chars) return 0;
  lstrcpyW(name, stem);
  lstrcatW(name, kSuffix);
  return 1;
}

int LocateSettingsFile(LPCWSTR printerName, LPWSTR path) {
  WCHAR name[kPathChars];
  // A name the buffer cannot hold whole would open the printer named by its first 259 characters, if any.
  if (printerName && lstrlenW(printerName) >= kPathChars) return 0;
  lstrcpynW(name, printerName ? printerName : WTEXT(""), kPathChars);
  UniquePrinter printer = OpenPrinterByName(name);
  if (!printer) return 0;
  return LocateSettingsFileOfPrinter(printer.get(), path);
}
