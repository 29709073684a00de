// Option rules: an item's rule type and rule text become its list of options.
#pragma once

#include "catalogue/catalogue.h"

// Builds the option list for an "Enum" or "Serial" rule (types compared without regard to case) into *options and
// returns the number of nodes; any other type gives 0 and leaves *options as it was. Nodes come from the process
// heap one by one; a node that cannot be allocated ends the list with the nodes built so far.
DWORD ParseOptionRule(LPCWSTR ruleType, LPCWSTR ruleText, SettingsOption **options);

// Frees at most `count` nodes of a list, stopping at a node without a next node.
void FreeOptionList(SettingsOption *head, DWORD count);
