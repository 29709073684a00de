// Sends settings to a printer: the job bytes of one item or of every item (page/job_bytes.h) written as one raw
// spooler job.
#pragma once

#include "page/job_bytes.h"

// Writes `count` bytes as one job of data type "RAW" to the printer; the document name is string 9 of the module.
// Non-zero when the spooler took all the bytes and finished the job.
BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName);

// Writes `count` bytes to a file, replacing it. Non-zero when every byte was written.
BOOL WriteJobFile(const BYTE *bytes, DWORD count, LPCWSTR path);

// Sends built job bytes to the printer or, when a job file is named (a preview with no printer behind it), writes
// them to that file, replacing it. Nothing is sent when there are none. 1 when a job was sent, else 0.
int SendJobBytes(const JobBytes &job, LPCWSTR printerName, LPCWSTR jobFile = nullptr);

// Set Current of the printer's open catalogue (FindCatalogue's): sends the command of one item for a choice as
// EncodeItemChoice takes it. 1 when a job was sent, else 0.
int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName);

// Set All of the printer's open catalogue: sends the commands of every item of every section with its CurrentValue
// (the file's defaults: pages keep their choices of their own), in one job. Nothing is sent when any item produces
// no text. 1 when a job was sent, else 0.
int SendAllCommands(LPCWSTR printerName);
