// Command text and job bytes of a loaded catalogue, made by the page's own encoder and byte conversion, with the
// reason when there are none.
#pragma once

#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "tools/prnset/text.h"

namespace prnset {

struct CommandText {
  bool ok = false;
  WString text;        // as the encoder wrote it, each group followed by one blank
  std::string reason;  // why there is no text
};

// The item at a page position, or nullptr with `error` naming the positions there are.
const SettingsItem *ItemAt(const SettingsCatalogue &catalogue, LONG section, LONG item, std::string &error);

// EncodeItemValue / EncodeItemChoice on the current catalogue (which must be `catalogue`), by the size query.
CommandText ItemValueText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value);
CommandText ItemChoiceText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice);
// Set All's collected text: every item of every section with its CurrentValue, one after another.
CommandText AllItemsText(const SettingsCatalogue &catalogue);

// The job's bytes: EnterInstruction, the command text and SaveInstruction, each converted by HexTextToBytes; a frame
// part that does not convert is left out, as the page leaves it out. False with `reason` when the command text
// gives no bytes, so that nothing would be sent.
bool JobBytes(const SettingsCatalogue &catalogue, const WString &command, std::vector<BYTE> &bytes,
              std::string &reason);

// Bytes as uppercase hexadecimal pairs separated by one blank.
std::string HexPairs(const std::vector<BYTE> &bytes);

}  // namespace prnset
