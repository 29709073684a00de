// Sends settings to a printer: the job bytes of one item or of every item (page/job_bytes.h) written as one raw
// spooler job.
#pragma once

#include "page/job_bytes.h"

// Writes `count` bytes as one job of data type "RAW" to the printer; the document name is string 9 of the module.
// Non-zero when the spooler took all the bytes and finished the job.
BOOL SendRawJob(const BYTE *bytes, DWORD count, LPCWSTR printerName);

// Writes `count` bytes to a file, replacing it. Non-zero when every byte was written.
BOOL WriteJobFile(const BYTE *bytes, DWORD count, LPCWSTR path);

// A preview of a settings file with no printer behind it: the jobs of the printer name its sheet shows go to a file,
// replaced at each job, instead of to the spooler. A null or empty path sends them to the spooler again. False when
// the name or the path does not fit a path buffer whole.
bool RouteJobsToFile(LPCWSTR printerName, LPCWSTR path);
// The file the printer's jobs go to; false when they go to the spooler.
bool JobFileOf(LPCWSTR printerName, WCHAR (&path)[kPathChars]);

// Sends built job bytes to the printer, or to its job file; nothing is sent when there are none. 1 when a job was
// sent, else 0.
int SendJobBytes(const JobBytes &job, LPCWSTR printerName);

// Set Current: sends the command of one item for what the page's option list shows (`choice` as EncodeItemChoice
// takes it). Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendItemCommand(LONG choice, LONG item, LONG section, LPCWSTR printerName);

// Set All: sends the commands of every item of every section with its CurrentValue, in one job. Nothing is sent
// when any item produces no text. Makes the printer's catalogue current. 1 when a job was sent, else 0.
int SendAllCommands(LPCWSTR printerName);
