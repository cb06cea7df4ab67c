// Names that the component's objects own as BSTRs and hand out as copies.
#pragma once

#include <windows.h>
#include <oleauto.h>

// A new BSTR of an 8-bit (ANSI code page) text; E_OUTOFMEMORY is thrown when
// it cannot be made, so the owning object is never created without its name.
BSTR MakeOwnedName(const char* text);

// A copy with the same byte length, so it equals the name exactly; null when
// no memory is left for it.
BSTR CopyOwnedName(BSTR name);
