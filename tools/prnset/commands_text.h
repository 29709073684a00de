// What the tool says about the command text and job bytes that the page's own job code builds
// (page/job_bytes.h): the item at a position or why there is none, why an item or a job gives nothing, and bytes
// as hexadecimal pairs.
#pragma once

#include "catalogue/loader.h"

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "page/job_bytes.h"
#include "tools/prnset/arguments.h"
#include "tools/prnset/text.h"

namespace prnset {

// The item at a page position, or nullptr with `error` naming the positions there are.
const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item, std::string &error);

// The shown item the command line names, by position or by keys (each compared without regard to case, as the
// reader compares names); named by keys, its position is written into `name`. nullptr with `error` saying what was
// not found and the keys there are, and, when the file at `path` (read in `codePage`) lists the class or item but
// hides it, saying so.
const SettingsItem *NamedItem(const SettingsCatalogue &catalogue, ItemName &name, const WString &path,
                              const LoadLanguage &language,
                              std::string &error);

// Why `choice` names no option of a single-choice `item`, or empty when it names one (a multi-choice item's choice is
// a mask). Such a choice is a wrong command line, not a file that sends nothing.
std::string ChoiceError(const SettingsItem &item, LONG choice);

// Why a command text came out empty, in the author's words. `choice` is the position or mask asked for on one item;
// `all` says the text was Set All's, so the reason names the item that gave none.
std::string NoTextReason(const SettingsCatalogue &catalogue, const CommandText &text, LONG choice, bool all);
// Why a job came out empty: its command text's reason, or why that text gave no bytes, naming the text at fault
// among those of `only` (Set Current's item) or of every shown item (Set All, `only` null).
std::string NoJobReason(const SettingsCatalogue &catalogue, const JobBytes &job, LONG choice, const SettingsItem *only);

// What a job that goes out leaves out of the file or gets wrong, each as check tells it: commands of an odd number
// of digits that pair the bytes after them wrong (of `only`, for Set Current, or of every shown item), an
// EnterInstruction or SaveInstruction that gives no bytes, an InstructionTail that the encoder does not end its
// commands with. Empty when nothing.
std::vector<std::string> LeftOutOfJob(const SettingsCatalogue &catalogue, const JobBytes &job,
                                      const SettingsItem *only);

// The command text as the encoder wrote it, each group followed by one blank.
WString TextOf(const CommandText &text);

// Bytes as uppercase hexadecimal pairs separated by one blank.
std::string HexPairs(const BYTE *bytes, DWORD count);

}  // namespace prnset
