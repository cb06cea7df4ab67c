// Host components that the component creates itself (the settings component,
// the file selection component): how they are made, and how a failed call on
// one is raised as a host-call failure (_com_error) for the method guard.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <comdef.h>

#include "com/ComHolders.h"

// In-process server, in-process handler, local server, remote server.
const DWORD HostComponentContext = 0x17;

// Creates the component, runs it and asks for the interface. On any failure
// the result is empty: the first call through it then fails with E_POINTER.
template <class T>
ComPtr<T> CreateHostComponent(REFCLSID clsid, REFIID iid)
{
    ComPtr<T> component;
    ComPtr<IUnknown> unknown;
    if (FAILED(CoCreateInstance(clsid, nullptr, HostComponentContext, IID_IUnknown, unknown.OutVoid())))
        return component;
    if (FAILED(OleRun(unknown.Get())))
        return component;
    unknown->QueryInterface(iid, component.OutVoid());
    return component;
}

// Throws _com_error with the HRESULT and, where the component offers it for
// that interface, its error information.
void RaiseHostFailure(HRESULT result, IUnknown* component, REFIID iid);

// The component behind a host reference; an empty one is raised as E_POINTER.
template <class T>
T* HostComponent(const ComPtr<T>& component)
{
    if (!component)
        throw _com_error(E_POINTER);
    return component.Get();
}

inline void CheckHostCall(HRESULT result, IUnknown* component, REFIID iid)
{
    if (FAILED(result))
        RaiseHostFailure(result, component, iid);
}
