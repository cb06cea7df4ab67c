// The component categories that a class implements, registered through the
// system's component category manager.
#pragma once

#include <windows.h>
#include <comcat.h>

HRESULT RegisterImplementedCategory(REFCLSID clsid, REFCATID category);

// Also deletes the class's "Implemented Categories" and "Required Categories"
// keys where they are left without subkeys.
HRESULT UnregisterImplementedCategory(REFCLSID clsid, REFCATID category);
