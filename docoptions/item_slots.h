// Helpers shared by the two builders and their callbacks (internal to docoptions/).
#pragma once

#include "platform/platform.h"

// Zeroes the driver's `count` slots and marks each as an OPTITEM of no public DEVMODE field.
void PrepareItemSlots(POPTITEM items, DWORD count);
// The slot at `index` when the driver set it aside, otherwise null.
POPTITEM ItemSlot(POEMCUIPPARAM param, DWORD index);
// True when the slot holds an item of the given type that a builder filled in.
bool IsBuiltItem(const OPTITEM &item, BYTE type);
