// What DllRegisterServer and DllUnregisterServer do: every class's
// registration script and component categories, then the type library. Each
// gives the first failure or S_OK.
#pragma once

#include <windows.h>

HRESULT RegisterServer();
HRESULT UnregisterServer();
