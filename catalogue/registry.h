// The catalogues of open Printer Settings pages, kept under their printers' names.
#pragma once

#include "catalogue/catalogue.h"

// The catalogue registered under the printer's full name, or nullptr. Does not change the current catalogue.
SettingsCatalogue *FindCatalogue(LPCWSTR printerName);

// Opens the catalogue of a page: a new record, loaded from the printer's settings file, or the one already open for
// the same printer (shared, counted). Makes it the current catalogue. Returns 1, or 0 when no record could be had.
int OpenCatalogue(LPCWSTR printerName);

// Releases the page's hold on its printer's catalogue; the last release frees its options and the record.
void ReleaseCatalogue(LPCWSTR printerName);

// Number of catalogues open, for tests and diagnostics.
int OpenCatalogueCount();
