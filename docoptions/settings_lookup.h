// The two reads behind the document options: the feature switches from the settings file's "Settings" section,
// and named integers from the printer's data with that section as fallback. Nothing is cached.
#pragma once

#include "platform/platform.h"

// Reads "Landscape_Compress" and "XMoveEnable" from the named printer's settings file (0 when absent). A switch is
// on when nonzero. Returns 1 when the file's path was derived; 0, with both switches 0, when it was not.
int ReadOptionSwitches(LPCWSTR printerName, INT *compressSwitch, INT *moveSwitch);

// Reads the integer `valueName` from the printer's data, or else from the "Settings" section of the printer's
// settings file. Returns 1 with *value set, or 0 with *value untouched when the printer has no such data and the
// file holds the key with an empty value. A name found nowhere gives 1 with 0.
int LookupSettingValue(LPCWSTR valueName, HANDLE printer, LONG *value);
