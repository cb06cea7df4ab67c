// Objects of the registered component, made as the host makes them: by
// ProgID through CoCreateInstance.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

#include "com/ComHolders.h"

template <class T>
HRESULT CreateByProgId(const wchar_t* progId, REFIID iid, ComPtr<T>& object)
{
    CLSID clsid;
    const HRESULT found = CLSIDFromProgID(progId, &clsid);
    if (FAILED(found))
        return found;
    return CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, object.OutVoid());
}

// The identity (IUnknown) of an object, to compare objects.
IUnknown* IdentityOf(IUnknown* object);

// A late-bound call by name through IDispatch (GetIDsOfNames + Invoke) with
// the arguments given in order; the result lands in *result.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, VARIANT* result, EXCEPINFO* exception = nullptr,
                     VARIANT* argument = nullptr);

// Text of a BSTR-returning call; "<failed>" when it fails.
std::wstring TextOf(HRESULT result, const BStr& text);
