// The plug-in module's instance handle: the module whose resources the page template and every loaded string
// come from. The module entry stores it once, at process attach.
#pragma once

#include "platform/platform.h"

HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);
