// The catalogues of open Printer Settings pages, kept under their printers' names.
#pragma once

#include "catalogue/catalogue.h"

// The catalogue registered under the printer's full name, or nullptr. Does not change the current catalogue. The
// pointer is only good while the caller knows a page of the printer stays open; operations that may run beside a
// page closing on another thread take a hold instead.
SettingsCatalogue *FindCatalogue(LPCWSTR printerName);

// A hold on an open catalogue: the record stays alive while the hold lasts, even when the last page of its printer
// releases it meanwhile on another thread; the last hold to go then frees it.
struct DropCatalogueHold {
  void operator()(SettingsCatalogue *catalogue) const;
};
using CatalogueHold = UniqueAny<SettingsCatalogue *, DropCatalogueHold>;

// The catalogue registered under the printer's name, held for the caller; empty when there is none.
CatalogueHold HoldCatalogue(LPCWSTR printerName);
// The same, made the current catalogue, as every page operation starts.
CatalogueHold HoldPageCatalogue(LPCWSTR printerName);

// Opens the catalogue of a page: a new record, loaded from the printer's settings file, or the one already open for
// the same printer (shared, counted). Makes it the current catalogue. Returns 1, or 0 when no record could be had.
// The file is located and loaded without blocking the registry, so a slow spooler holds up only this page.
int OpenCatalogue(LPCWSTR printerName);
// The same with a record already loaded, for a page that previews a settings file under a printer name of its own
// choosing: the record is registered as it is, or dropped when a page of that name is already open.
int OpenCatalogue(LPCWSTR printerName, UniqueCatalogue loaded);

// Releases the page's hold on its printer's catalogue; the last release frees its options and the record, unless an
// operation still holds it (then the operation's hold frees it when it ends).
void ReleaseCatalogue(LPCWSTR printerName);

// Number of catalogue records alive (open or still held), for tests and diagnostics.
int OpenCatalogueCount();
