// The component that COM would load for its bank class: the registered
// DLL's path and the file version of its version resource.
#pragma once

#include <string>

struct ComponentVersion
{
    std::string path;         // as registered (InprocServer32)
    std::string fileVersion;  // "2.2.0.0"; empty when the file has none
};

// Throws ComponentCallFailed when the bank class is not registered or its
// registration names no module.
ComponentVersion RegisteredComponentVersion();
