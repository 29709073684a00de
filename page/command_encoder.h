// Turns the value of one setting item into command text: the item's Instruction, its parameter bytes by the
// catalogue's ParameterRule, then the catalogue's InstructionTail, each byte group written as two lowercase
// hexadecimal digits and a blank.
#pragma once

#include "catalogue/catalogue.h"

// Rows of a multi-choice item's option list that stand for a bit of its value: row k for bit 23 - k.
constexpr int kMaskRows = 24;

// The no-command value: an option with it sends nothing on Set Current.
constexpr LONG kNoCommandValue = -32767;

// The longest command text of one item, terminator included. An item that would need more (a settings file asking
// for tens of thousands of parameter bytes) produces no text.
constexpr DWORD kMaxCommandChars = 65536;

// Why an item produces no command text.
enum class NoText {
  kNone,            // it does produce text
  kNoItem,          // no item at that position
  kNoOption,        // single-choice: no option at the chosen position
  kNoCommandOption, // single-choice: the chosen option has the no-command value
  kUnknownRule,     // the item needs parameter bytes and ParameterRule is neither High256 nor BaseOn30
  kNegativeDigits,  // BaseOn30 cannot write a negative value as digits
  kTooLong,         // ParameterCount asks for more than kMaxCommandChars of text
};

// Writes the command text of item `item` of section `section` of `catalogue` for `value` into `text`. On entry
// `*size` is the capacity of `text` in wide characters, terminator included. Returns the needed size (terminator
// included) and leaves `*size` as it was; when the capacity is smaller (or `text` is null), stores the needed size
// in `*size`, writes nothing and returns 0. Returns 0 with `*size` unchanged when the item produces no text, and
// then says why through `why` when it is given.
DWORD EncodeItemValue(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG value, LPWSTR text,
                      DWORD *size, NoText *why = nullptr);

// The same for what the page's option list shows: for a multi-choice item (ParameterCount above 1) `choice` is the
// bit mask of the chosen options; otherwise it is the position of the chosen option, whose Value is encoded. No
// option at that position, or an option with the no-command value, gives 0 with `*size` unchanged.
DWORD EncodeItemChoice(const SettingsCatalogue &catalogue, LONG section, LONG item, LONG choice, LPWSTR text,
                       DWORD *size, NoText *why = nullptr);

// The value a choice stands for: the mask itself for a multi-choice item, else the Value of the option at the
// position. False when no option stands there.
bool ChoiceValue(const SettingsItem &item, LONG choice, LONG *value);

// Writes a byte as the command text writes it: two lowercase hexadecimal digits. `digits` gets two characters.
void FormatHexByte(BYTE value, WCHAR *digits);
