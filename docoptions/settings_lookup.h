// The two reads behind the document options: the feature switches from the settings file's "Settings" section,
// and named integers from the printer's data with that section as fallback.
#pragma once

#include "catalogue/catalogue.h"
#include "catalogue/ini_file.h"
#include "catalogue/vocabulary.h"
#include "platform/platform.h"

// The reads of one build of the printer's items. Each read answers as the free functions below do; the settings
// file is parsed at the first read that needs it and serves the later reads of the same file, so a build reads the
// file once, not once per value. Printer data is asked for every value.
class PrinterSettingsReads {
 public:
  int ReadOptionSwitches(LPCWSTR printerName, INT *compressSwitch, INT *moveSwitch);
  int LookupSettingValue(LPCWSTR valueName, HANDLE printer, LONG *value);

 private:
  // The parsed file at `path`; an empty file (every read gives its default) when `path` is null.
  const IniFile &FileAt(LPCWSTR path);

  IniFile file_;
  WCHAR path_[kPathChars] = {};  // of file_, when parsed_ (read successfully)
  bool parsed_ = false;
  HANDLE pathPrinter_ = nullptr;  // the printer handle printerPath_ was derived from, when printerPathFound_
  WCHAR printerPath_[kPathChars] = {};
  bool printerPathFound_ = false;
};

// Reads "Landscape_Compress" and "XMoveEnable" from the named printer's settings file (0 when absent). A switch is
// on when nonzero. Returns 1 when the file's path was derived; 0, with both switches 0, when it was not.
int ReadOptionSwitches(LPCWSTR printerName, INT *compressSwitch, INT *moveSwitch);

// Reads the integer `valueName` from the printer's data, or else from the "Settings" section of the printer's
// settings file as the profile read with the default text "0" reads it: a missing file, section or key, and a key
// without '=', read "0". Returns 1 with *value set, or 0 with *value untouched when the printer has no such data
// and the file holds the key with an empty value.
int LookupSettingValue(LPCWSTR valueName, HANDLE printer, LONG *value);

// The settings file's half of the two reads: the switches from a parsed file, and a named value from its
// "Settings" section as LookupSettingValue reads it when the printer has no data of that name.
void ReadSwitches(const IniFile &file, INT *compressSwitch, INT *moveSwitch);
int LookupFileValue(const IniFile &file, LPCWSTR valueName, LONG *value);
