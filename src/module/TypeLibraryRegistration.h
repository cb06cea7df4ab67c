// The module's type library VORNTILOONLINELib, registered from the module
// file (or, when that holds none, from a .tlb file of the module's name
// beside it).
#pragma once

#include <windows.h>

HRESULT RegisterModuleTypeLibrary();
HRESULT UnregisterModuleTypeLibrary();
