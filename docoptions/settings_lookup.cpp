// Settings value lookup: printer data first, then the settings file's "Settings" section.
#include "docoptions/settings_lookup.h"

#include <cstring>
#include <limits>

#include "catalogue/settings_location.h"

namespace {

constexpr DWORD kValueChars = 100;

bool IsBlank(WCHAR c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Decimal number at the start of `text`, read no further than `length` characters or the first null: leading
// blanks, an optional sign, digits; anything else ends it, no digits give 0. Out-of-range numbers saturate.
LONG ParseDecimal(const WCHAR *text, size_t length) {
  size_t i = 0;
  while (i < length && text[i] && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < length && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr long long kLowest = std::numeric_limits<LONG>::min();
  constexpr long long kHighest = std::numeric_limits<LONG>::max();
  long long magnitude = 0;
  for (; i < length && text[i] >= '0' && text[i] <= '9'; ++i) {
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > -kLowest) magnitude = -kLowest;
  }
  long long number = negative ? -magnitude : magnitude;
  return LONG(number > kHighest ? kHighest : number);
}

}  // namespace

const IniFile &PrinterSettingsReads::FileAt(LPCWSTR path) {
  if (!path) {
    parsed_ = false;
    file_ = IniFile();
    return file_;
  }
  // A file that could not be read (missing, or no memory for it) is tried again at the next read, as every read
  // would try it on its own.
  if (!parsed_ || lstrcmpW(path, path_) != 0) {
    parsed_ = file_.Load(path, CP_ACP);
    lstrcpynW(path_, path, kPathChars);
  }
  return file_;
}

int PrinterSettingsReads::ReadOptionSwitches(LPCWSTR printerName, INT *compressSwitch, INT *moveSwitch) {
  *compressSwitch = 0;
  *moveSwitch = 0;
  WCHAR path[kPathChars];
  if (!LocateSettingsFile(printerName, path)) return 0;
  const IniFile &file = FileAt(path);
  ReadSwitches(file, compressSwitch, moveSwitch);
  return 1;
}

int PrinterSettingsReads::LookupSettingValue(LPCWSTR valueName, HANDLE printer, LONG *value) {
  WCHAR buffer[kValueChars];
  // Defined contents behind whatever the spooler returns.
  lstrcpynW(buffer, WTEXT("Value Unknow"), kValueChars);

  DWORD type = REG_SZ;
  DWORD stored = 0;
  DWORD status = GetPrinterDataW(printer, const_cast<LPWSTR>(valueName), &type, reinterpret_cast<LPBYTE>(buffer),
                                 sizeof(buffer), &stored);
  if (status == ERROR_SUCCESS) {
    if (stored > sizeof(buffer)) stored = sizeof(buffer);
    DWORD number = 0;
    if (type == REG_DWORD && stored == sizeof(number)) {
      // The document item stores its percentage as a number, not as text.
      std::memcpy(&number, buffer, sizeof(number));
      *value = LONG(number);
    } else {
      // Text as stored: not necessarily ended by a null, so the number ends with the data at the latest.
      *value = ParseDecimal(buffer, stored / sizeof(WCHAR));
    }
    return 1;
  }

  // Not in the printer data (or too large for it): the settings file answers. The path is the printer's for the
  // whole of these reads; a printer whose file cannot be located reads as an empty file, and the next read tries
  // again (a spooler call may fail once).
  if (!printerPathFound_ || pathPrinter_ != printer) {
    pathPrinter_ = printer;
    printerPathFound_ = LocateSettingsFileOfPrinter(printer, printerPath_) != 0;
  }
  return LookupFileValue(FileAt(printerPathFound_ ? printerPath_ : nullptr), valueName, value);
}

void ReadSwitches(const IniFile &file, INT *compressSwitch, INT *moveSwitch) {
  *compressSwitch = INT(file.ReadInt(kSettingsSection, kCompressSwitchKey.key, kCompressSwitchKey.defaultValue));
  *moveSwitch = INT(file.ReadInt(kSettingsSection, kMoveSwitchKey.key, kMoveSwitchKey.defaultValue));
}

int LookupFileValue(const IniFile &file, LPCWSTR valueName, LONG *value) {
  WCHAR buffer[kValueChars];
  DWORD length = file.ReadString(kSettingsSection, valueName, buffer, kValueChars, WTEXT("0"));
  if (length == 0) return 0;  // the key is there with an empty value
  *value = ParseDecimal(buffer, length);
  return 1;
}

int ReadOptionSwitches(LPCWSTR printerName, INT *compressSwitch, INT *moveSwitch) {
  PrinterSettingsReads reads;
  return reads.ReadOptionSwitches(printerName, compressSwitch, moveSwitch);
}

int LookupSettingValue(LPCWSTR valueName, HANDLE printer, LONG *value) {
  PrinterSettingsReads reads;
  return reads.LookupSettingValue(valueName, printer, value);
}
