// Every kind of finding of prnset check, in one table: docs/settings-file.md's table of codes is tested against it.
#include "tools/prnset/check.h"

namespace prnset {

namespace {
constexpr Severity E = Severity::Error, W = Severity::Warning, I = Severity::Info;
}  // namespace

// The sections are the headings of docs/settings-file.md that explain what the finding is about.
const std::vector<FindingKind> kFindingKinds = {
    {"encoding", I, "how the file's text was decoded", "Encodings"},
    {"file-unreadable", E, "the file cannot be read", "Where the file lies and how it is named"},
    {"file-empty", E, "the file is empty: no classes", "How the file is read"},
    {"file-too-large", E, "the file is too large to read: no classes", "Limits at a glance"},
    {"file-utf16-no-bom", E, "UTF-16 without a byte order mark: no classes", "Encodings"},
    {"file-binary", E, "the file is not text", "Encodings"},
    {"no-section-names", E, "no [SectionNames]: no classes", "`[SectionNames]`"},
    {"no-section-count", E, "no SectionCount: no classes", "`[SectionNames]`"},
    {"count-negative", E, "a negative SectionCount: no classes", "`[SectionNames]`"},
    {"no-shown-class", E, "every class is hidden, or none is declared", "`[SectionNames]`"},
    {"count-drops-entries", E, "classes or items listed after the declared count are never shown", "`[SectionNames]`"},
    {"no-instruction", E, "an item without its command", "The command of one item"},
    {"bad-command-text", E, "a command text with a character that is no hexadecimal digit",
     "Command texts and how they become bytes"},
    {"odd-hex-digits", E, "a command text with an odd number of digits", "Command texts and how they become bytes"},
    {"tail-one-char", E, "an InstructionTail of one character", "The command of one item"},
    {"unknown-parameter-rule", E, "no parameter rule the encoder knows: Set All sends nothing", "Any other rule name"},
    {"set-all-nothing", E, "an item without command text: Set All sends nothing", "The job"},
    {"filter-not-number", E, "a filter written as a word, which hides", "Hiding classes and items: `[S_Filter]`"},
    {"filter-word", W, "a filter written as a word that means what it reads as",
     "Hiding classes and items: `[S_Filter]`"},
    {"class-all-hidden", W, "a shown class whose items are all hidden", "Hiding classes and items: `[S_Filter]`"},
    {"unknown-section", W, "a section the plug-in never reads", "The parts of the file"},
    {"class-key-misspelt", W, "a class key that names no section, one slip away from the file's sections",
     "`[SectionNames]`"},
    {"unknown-key", W, "a key the plug-in never reads", "The parts of the file"},
    {"misnumbered", W, "a numbered name written with other digits than the plug-in reads", "The parts of the file"},
    {"declared-missing", W, "a declared class or item that the file does not list", "`[SectionNN]`: the items of a class"},
    {"section-missing", W, "a class without its [SectionNN]", "`[SectionNN]`: the items of a class"},
    {"no-item-count", W, "a class without ItemCount", "`[SectionNN]`: the items of a class"},
    {"item-count-negative", W, "a negative ItemCount", "`[SectionNN]`: the items of a class"},
    {"too-many-classes", W, "classes beyond the ten the page holds", "Limits at a glance"},
    {"too-many-items", W, "items beyond the 32 a class holds", "Limits at a glance"},
    {"not-a-number", W, "a number written otherwise than in plain decimal", "How the file is read"},
    {"same-item-key", W, "two items of a class with one key", "`[SectionNN]`: the items of a class"},
    {"text-cut", W, "a text longer than its field", "Limits at a glance"},
    {"title-cut", W, "a title longer than the page shows", "Languages: `[S_Lang_EN]` and `[S_Lang_CN]`"},
    {"title-missing", W, "a shown class or item without a title", "Languages: `[S_Lang_EN]` and `[S_Lang_CN]`"},
    {"titles-missing", W, "no titles at all in one language", "Languages: `[S_Lang_EN]` and `[S_Lang_CN]`"},
    {"unbalanced-quote", W, "a text with one quotation mark, which the page shows", "How the file is read"},
    {"not-in-code-page", W, "text the page of that language cannot show", "Encodings"},
    {"utf8-in-ansi", W, "UTF-8 text in a file read in the ANSI code page", "Encodings"},
    {"invisible-character", W, "an invisible character in a name or text", "Encodings"},
    {"rule-section-missing", W, "a class without its rule section", "Options: `[S_Rule_EN]` and `[S_Rule_CN]`"},
    {"rule-type-missing", W, "an item without a rule type", "Options: `[S_Rule_EN]` and `[S_Rule_CN]`"},
    {"rule-type-unknown", W, "a rule type that is neither Enum nor Serial", "Options: `[S_Rule_EN]` and `[S_Rule_CN]`"},
    {"enum-no-pairs", W, "an Enum rule without value=text pairs", "Enum: named values"},
    {"enum-no-blank", W, "an Enum value with no blank before it", "Enum: named values"},
    {"enum-value-not-number", W, "an Enum value that is not a number", "Enum: named values"},
    {"enum-value-cut", W, "an Enum value longer than the rule reads", "Enum: named values"},
    {"enum-text-cut", W, "an Enum text longer than an option holds", "Enum: named values"},
    {"enum-last-text-cut", W, "the last Enum text longer than the rule takes", "Enum: named values"},
    {"enum-empty-text", W, "an Enum option without text", "Enum: named values"},
    {"enum-too-many", W, "more Enum options than the list holds", "Enum: named values"},
    {"serial-not-number", W, "a Serial setting written as a word", "Serial: a range of numbers"},
    {"serial-no-range", W, "a Serial rule without MIN= and MAX=", "Serial: a range of numbers"},
    {"serial-empty", W, "a Serial rule whose MIN= is above its MAX=", "Serial: a range of numbers"},
    {"serial-step", W, "a Serial STEP= below 1", "Serial: a range of numbers"},
    {"serial-too-many", W, "more Serial options than the list holds", "Serial: a range of numbers"},
    {"serial-misses-max", W, "a Serial STEP= that never reaches MAX=", "Serial: a range of numbers"},
    {"serial-title-cut", W, "a Serial title longer than an option holds", "Serial: a range of numbers"},
    {"serial-title-not-last", W, "a Serial TITLE= before another setting", "Serial: a range of numbers"},
    {"serial-text-cut", W, "Serial option texts longer than an option holds", "Serial: a range of numbers"},
    {"default-no-option", W, "a default that matches no option", "Defaults: `[S_Default]`"},
    {"duplicate-values", W, "Enum options that share a value", "Enum: named values"},
    {"option-minus-one", W, "an option with the value -1", "Defaults: `[S_Default]`"},
    {"negative-base-on-30", W, "negative options under BaseOn30, which send nothing", "BaseOn30: decimal digits"},
    {"value-too-large", W, "a value that does not fit its parameter bytes", "High256: binary bytes"},
    {"parameter-count-zero", W, "options that all send the same command", "The command of one item"},
    {"mask-too-many-options", W, "a multi-choice item with rows that have no bit", "Multi-choice items"},
    {"mask-bits", W, "a multi-choice default with bits of no row", "Multi-choice items"},
    {"mask-too-few-bytes", W, "a multi-choice item whose bits do not fit its bytes", "Multi-choice items"},
    {"settings-count", W, "a compression Count the list cannot hold",
     "The `[Settings]` section: the driver's own landscape items"},
    {"settings-choice-missing", W, "a compression choice that is missing or empty",
     "The `[Settings]` section: the driver's own landscape items"},
    {"settings-current", W, "a current compression that is none of the choices",
     "The `[Settings]` section: the driver's own landscape items"},
    {"settings-xmove", W, "an XMove outside the move item's range",
     "The `[Settings]` section: the driver's own landscape items"},
    {"duplicate-section", W, "a section written twice: only the first is read", "How the file is read"},
    {"duplicate-key", W, "a key written twice: only the first is read", "How the file is read"},
    {"before-first-section", W, "lines before the first section header", "How the file is read"},
    {"no-equals", W, "a line without '='", "How the file is read"},
};

const FindingKind *KindOf(const std::string &code) {
  for (const FindingKind &kind : kFindingKinds)
    if (code == kind.code) return &kind;
  return nullptr;
}

}  // namespace prnset
