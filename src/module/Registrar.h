// Runs one of the module's registration scripts (resources of type
// "REGISTRY") with %MODULE% standing for the module's path.
#pragma once

#include <windows.h>

HRESULT RunRegistrationScript(UINT scriptId, bool registering);
