// Turns the value of one setting item of the current catalogue into command text: the item's Instruction, its
// parameter bytes by the catalogue's ParameterRule, then the catalogue's InstructionTail, each byte group written as
// two lowercase hexadecimal digits and a blank.
#pragma once

#include "platform/platform.h"

// The no-command value: an option with it sends nothing on Set Current.
constexpr LONG kNoCommandValue = -32767;

// The longest command text of one item, terminator included. An item that would need more (a settings file asking
// for tens of thousands of parameter bytes) produces no text.
constexpr DWORD kMaxCommandChars = 65536;

// Writes the command text of item `item` of section `section` for `value` into `text`. On entry `*size` is the
// capacity of `text` in wide characters, terminator included. Returns the needed size (terminator included) and
// leaves `*size` as it was; when the capacity is smaller, stores the needed size in `*size`, writes nothing and
// returns 0. Returns 0 with `*size` unchanged when the item produces no text (no such item, no current catalogue,
// or a value the rule cannot encode).
DWORD EncodeItemValue(LONG section, LONG item, LONG value, LPWSTR text, DWORD *size);

// The same for what the page's option list shows: for a multi-choice item (ParameterCount above 1) `choice` is the
// bit mask of the chosen options; otherwise it is the position of the chosen option, whose Value is encoded. No
// option at that position, or an option with the no-command value, gives 0 with `*size` unchanged.
DWORD EncodeItemChoice(LONG section, LONG item, LONG choice, LPWSTR text, DWORD *size);
