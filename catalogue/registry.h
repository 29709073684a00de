// The catalogues of open Printer Settings pages, kept under their printers' names.
//
// A record here is the printer's settings file as it was when it was loaded, and nobody writes into it once it is
// registered: pages of one printer share it for its option lists and keep their choices of their own, so they may
// read it on any thread at once. A pointer to a record is good while a page or a hold keeps it (below); it goes with
// the last of them.
//
// A printer's name is its key whole: a name of kPathChars characters or more is refused (nothing is opened or found
// under it), never cut to the name of another printer.
#pragma once

#include "catalogue/catalogue.h"

// The record a page of the printer has open (the one its latest page opened), or nullptr. Only good while the
// caller knows such a page stays open; operations that may run beside a page closing on another thread take a hold.
SettingsCatalogue *FindCatalogue(LPCWSTR printerName);

// A hold on an open catalogue: the record stays alive while the hold lasts, even when the last page of its printer
// closes meanwhile on another thread; the last hold to go then frees it.
struct DropCatalogueHold {
  void operator()(SettingsCatalogue *catalogue) const;
};
using CatalogueHold = UniqueAny<SettingsCatalogue *, DropCatalogueHold>;

// The record FindCatalogue gives, held for the caller; empty when there is none.
CatalogueHold HoldCatalogue(LPCWSTR printerName);

// A page's open catalogue: it counts as one open page of its printer until it goes.
struct ClosePageCatalogue {
  void operator()(SettingsCatalogue *catalogue) const;
};
using PageCatalogue = UniqueAny<SettingsCatalogue *, ClosePageCatalogue>;

// Opens the catalogue of a new page. Pages of the printer already open share their record when the settings file is
// the one they loaded (same path, same bytes, same language); a file changed since is loaded afresh, and the older
// pages keep theirs. An unknown printer gets an empty catalogue. Empty when no record could be had or the name does
// not fit. The file is read without blocking the registry, so a slow spooler holds up only this page.
PageCatalogue OpenPageCatalogue(LPCWSTR printerName);

// The same by name alone: the page stays open until ReleaseCatalogue. Returns 1, or 0 when nothing was opened.
int OpenCatalogue(LPCWSTR printerName);
// Closes one page of the printer opened by name, the latest's record first; a name with no open page does nothing.
void ReleaseCatalogue(LPCWSTR printerName);

// Number of catalogue records alive (open or still held), for tests and diagnostics.
int OpenCatalogueCount();
