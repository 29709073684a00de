// Option rules: an item's rule type and rule text become its list of options.
#pragma once

#include <vector>

#include "catalogue/catalogue.h"

// What the rules did with a rule text that the author may not have meant: a part cut, skipped or read otherwise.
enum class RuleNoteKind {
  // "Enum"
  EnumNoPairs,         // no value=text pair: no options
  EnumNoBlank,         // option `option`'s value follows the text before it with no blank: [from, to) is read as one
  EnumValueNotNumber,  // option `option`'s value [from, to) is not a number: it reads as `value`
  EnumValueCut,        // option `option`'s value [from, to) is longer than the rule reads: it reads as `value`
  EnumTextCut,         // option `option`'s text [from, to) is cut to `kept` characters
  EnumLastTextCut,     // the last option's text [from, to) is cut to `kept` characters
  EnumEmptyText,       // option `option` has no text
  EnumTooMany,         // more pairs than the list holds: `kept` options are kept
  // "Serial"
  SerialNotNumber,     // the setting at [from, to) (MIN=, MAX= or STEP=) is not a number: it reads as 0
  SerialNoRange,       // neither MIN= nor MAX=: the single option 0
  SerialEmpty,         // MIN= `value` is above MAX= `limit`: no options
  SerialStep,          // STEP= `value` is below 1: no options
  SerialTooMany,       // the range gives `value` options by steps of `limit`: `kept` are kept
  SerialTitleCut,      // the title of `value` characters is cut to `kept`
  SerialTitleNotLast,  // TITLE= stands before another setting, which it takes into the title
  SerialTextCut,       // option texts such as the one of value `value` are cut to `kept` characters; the longest
                       // had `limit`
  SerialMissesMax,     // the steps end at `value`, short of MAX= `limit`
};

struct RuleNote {
  RuleNoteKind kind;
  DWORD option = 0;      // 0-based position of the option concerned
  DWORD from = 0, to = 0;  // characters of the rule text concerned
  long long value = 0, limit = 0;
  DWORD kept = 0;
};

struct RuleReport {
  bool known = false;  // the type is "Enum" or "Serial"
  std::vector<RuleNote> notes;
  long long minimum = 0, maximum = 0, step = 0;  // a Serial rule's MIN=, MAX= and STEP= as read
};

// Builds the option list for an "Enum" or "Serial" rule (types compared without regard to case) into *options and
// returns the number of nodes; any other type gives 0 and leaves *options as it was. Nodes come from the process
// heap one by one; a node that cannot be allocated ends the list with the nodes built so far. With `report`, says
// what of the rule text did not come out as written.
DWORD ParseOptionRule(LPCWSTR ruleType, LPCWSTR ruleText, SettingsOption **options, RuleReport *report = nullptr);

// Frees at most `count` nodes of a list, stopping at a node without a next node.
void FreeOptionList(SettingsOption *head, DWORD count);
