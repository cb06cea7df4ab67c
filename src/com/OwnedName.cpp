#include "com/OwnedName.h"

#include "text/CString.h"

BSTR MakeOwnedName(const char* text)
{
    BSTR name = CString(text).AllocSysString();
    if (!name)
        throw E_OUTOFMEMORY;
    return name;
}

BSTR CopyOwnedName(BSTR name)
{
    return SysAllocStringByteLen(reinterpret_cast<const char*>(name), SysStringByteLen(name));
}
