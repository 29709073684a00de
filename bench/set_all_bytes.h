// Set All without the spooler: every item of the current catalogue encoded with its current value, the texts
// collected one after another, and the whole framed by EnterInstruction and SaveInstruction and turned into job
// bytes, the steps SendAllCommands takes before it hands the bytes to the spooler.
#pragma once

#include <vector>

#include "platform/platform.h"

namespace bench {

// The job bytes Set All would send for the current catalogue; empty when it would send nothing.
std::vector<BYTE> SetAllBytes();

// The same, without building a vector: the byte count of the job, 0 when nothing would be sent.
DWORD SetAllByteCount();

}  // namespace bench
