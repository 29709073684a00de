// The bytes of a Set Current or Set All job, built from a catalogue without touching the spooler: the command text
// of one item or of every item, framed by the catalogue's EnterInstruction and SaveInstruction and turned into
// bytes. The page, the plug-in and the settings-file tool all send or show exactly these bytes.
#pragma once

#include "catalogue/catalogue.h"
#include "page/command_encoder.h"

// Converts hexadecimal text (blanks anywhere, digits paired from the start) into bytes at `out`. Returns the byte
// count, or 0 (writing nothing) when the text holds another character, has an odd number of digits or needs more
// than `capacity` bytes.
DWORD HexTextToBytes(LPCWSTR text, BYTE *out, DWORD capacity);

// Whether a text is whole bytes of hexadecimal digits, and if not, why.
struct HexTextCheck {
  enum Fault { kWhole, kNotHex, kOddDigits } fault = kWhole;
  DWORD position = 0;  // kNotHex: the first character that is neither a blank nor a digit
  DWORD digits = 0;    // the digits counted (up to the fault)
};
HexTextCheck CheckHexText(LPCWSTR text);

// Why a command text or a job is empty, beyond what the encoder says.
enum class NoJob {
  kNone,
  kNoText,    // an item gave no command text: `why` says why, `section` and `item` say which
  kNoItems,   // Set All of a catalogue that shows no items
  kNotHex,    // the command text is not whole bytes of hexadecimal digits
  kNoMemory,  // the process heap had no room
};

// Command text in a block of the process heap, or the reason there is none.
struct CommandText {
  UniqueHeapBlock<WCHAR> text;
  DWORD size = 0;  // characters, terminator included; 0 when there is no text
  NoJob failure = NoJob::kNone;
  NoText why = NoText::kNone;
  LONG section = -1, item = -1;  // the item that gave no text
  LONG value = 0;                // the value it was asked to encode
};

// Set Current's text: EncodeItemChoice for what the page's option list shows.
CommandText ItemChoiceText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice);
// One item's text for a value: EncodeItemValue.
CommandText ItemValueText(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value);
// A value for every item slot of a catalogue: a page's choices, or the catalogue's own CurrentValue fields.
struct ItemValues {
  LONG value[kMaxSections][kMaxItems];
};
// The catalogue's CurrentValue fields (as loaded: each item's default).
ItemValues CurrentValuesOf(const SettingsCatalogue &catalogue);

// Set All's text: every item of every section with its value, one after another. An item without text would leave
// a gap in the settings, so then there is no text at all.
CommandText AllItemsText(const SettingsCatalogue &catalogue, const ItemValues &values);
// The same with the catalogue's CurrentValue fields.
CommandText AllItemsText(const SettingsCatalogue &catalogue);

// Job bytes in a block of the process heap, or the reason there are none (then nothing is sent).
struct JobBytes {
  UniqueHeapBlock<BYTE> bytes;
  DWORD count = 0;
  NoJob failure = NoJob::kNone;  // kNoText: the command text's own reason, kept in `text`
  CommandText text;              // what was framed
};

// Frames a command text with EnterInstruction and SaveInstruction; a frame part that gives no bytes is left out. A
// command text that gives no bytes gives no job.
JobBytes FrameCommandText(const SettingsCatalogue &catalogue, CommandText command);
// Set Current's and Set All's job bytes.
JobBytes BuildItemJob(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice);
JobBytes BuildAllItemsJob(const SettingsCatalogue &catalogue, const ItemValues &values);
JobBytes BuildAllItemsJob(const SettingsCatalogue &catalogue);
