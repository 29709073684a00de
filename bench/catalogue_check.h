// Checks on loaded catalogues, so that a benchmark never times a load that went wrong: the shape of the generated
// file, and the agreement of two loads of the same file.
#pragma once

#include <string>

#include "bench/settings_generator.h"
#include "catalogue/catalogue.h"

namespace bench {

// Empty when the catalogue holds what a file of this shape gives (classes, items, options); else what differs.
std::string ShapeMismatch(const SettingsCatalogue &catalogue, const FileShape &shape);

// Empty when the two catalogues hold the same texts, numbers and option lists; else the first difference.
std::string CatalogueMismatch(const SettingsCatalogue &a, const SettingsCatalogue &b);

// Frees every option list of the record and leaves it with no classes; the record itself stays.
void ClearCatalogue(SettingsCatalogue &catalogue);

}  // namespace bench
