// Where a printer's settings file lies: <driver directory>\3\<driver name after its first blank>_Settings.Dat
#pragma once

#include "platform/platform.h"

// Fills `path` (kPathChars wide characters) for the named printer. Returns 1, or 0 with `path` untouched when the
// printer cannot be opened, its name has kPathChars characters or more (never cut to another printer's name), the
// spooler cannot answer, or the path would not fit.
int LocateSettingsFile(LPCWSTR printerName, LPWSTR path);

// The same path for a printer the caller already holds open (the handle is neither opened nor closed here).
int LocateSettingsFileOfPrinter(HANDLE printer, LPWSTR path);

// The settings file's name for a driver: the part of the driver name after its first blank (the whole name when it
// has none), followed by "_Settings.Dat". Printers of one driver share the file, and so do drivers whose names differ
// only in their first word. Returns 1, or 0 with `name` untouched when the name needs `chars` characters or more.
int SettingsFileNameOf(LPCWSTR driverName, LPWSTR name, int chars);
