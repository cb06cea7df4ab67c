// What DllRegisterServer and DllUnregisterServer do: every class's
// registration script (a resource of type "REGISTRY" run with %MODULE%
// standing for the module's path) and component categories, then the type
// library VORNTILOONLINELib, registered from the module file (or, when that
// holds none, from a .tlb file of the module's name beside it). Each gives
// the first failure or S_OK.
#pragma once

#include <windows.h>
#include <comcat.h>

HRESULT RegisterServer();
HRESULT UnregisterServer();

// Runs one of the module's registration scripts (resources of type
// "REGISTRY") with %MODULE% standing for the module's path.
HRESULT RunRegistrationScript(UINT scriptId, bool registering);

// The component categories that a class implements, registered through the
// system's component category manager.
HRESULT RegisterImplementedCategory(REFCLSID clsid, REFCATID category);

// Also deletes the class's "Implemented Categories" and "Required Categories"
// keys where they are left without subkeys.
HRESULT UnregisterImplementedCategory(REFCLSID clsid, REFCATID category);

// The module's type library VORNTILOONLINELib, registered from the module
// file (or, when that holds none, from a .tlb file of the module's name
// beside it).
HRESULT RegisterModuleTypeLibrary();
HRESULT UnregisterModuleTypeLibrary();
