// Sends settings to a printer: the command text of one item or of every item, framed by the catalogue's
// EnterInstruction and SaveInstruction, turned into bytes and written as one raw spooler job.
#pragma once

#include "platform/platform.h"

// Converts hexadecimal text (blanks anywhere, digits paired from the start) into bytes at `out`. Returns the byte
// count, or 0 (writing nothing) when the text holds another character, has an odd number of digits or needs more
// than `capacity` bytes.
DWORD HexTextToBytes(LPCWSTR text, BYTE *out, DWORD capacity);

// Writes `count` bytes as one job of data type "RAW" to the printer; the document name is string 9 of the module.
// Non-zero when the spooler took all the bytes and finished the job.
BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName);

// Set Current: sends the command of one item for what the page's option list shows (`choice` as EncodeItemChoice
// takes it). Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName);

// Set All: sends the commands of every item of every section with its CurrentValue, in one job. Nothing is sent
// when any item produces no text. Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendAllCommands(LPCWSTR printerName);
