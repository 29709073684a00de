// Sends settings to a printer: the job bytes of one item or of every item (page/job_bytes.h) written as one raw
// spooler job.
#pragma once

#include "page/job_bytes.h"

// Writes `count` bytes as one job of data type "RAW" to the printer; the document name is string 9 of the module.
// Non-zero when the spooler took all the bytes and finished the job.
BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName);

// Sends built job bytes; nothing is sent when there are none. 1 when a job was sent, else 0.
int SendJobBytes(const JobBytes &job, LPCWSTR printerName);

// Set Current: sends the command of one item for what the page's option list shows (`choice` as EncodeItemChoice
// takes it). Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName);

// Set All: sends the commands of every item of every section with its CurrentValue, in one job. Nothing is sent
// when any item produces no text. Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendAllCommands(LPCWSTR printerName);
