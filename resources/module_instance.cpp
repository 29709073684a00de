#include "resources/module_instance.h"

namespace {
// Written once at process attach, before any other entry of the module runs; read only afterwards. Until then it is
// null, which the resource loader takes as the process's own image.
HINSTANCE moduleInstance = nullptr;
}  // namespace

HINSTANCE ModuleInstance() { return moduleInstance; }

void SetModuleInstance(HINSTANCE instance) { moduleInstance = instance; }
