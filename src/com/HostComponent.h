// Host components that the component creates itself (the settings component,
// the file selection component): how they are made, and how a failed call on
// one is raised as a host-call failure (_com_error) for the method guard.
// Every such failure carries error information that describes it: the
// component's own where it offers some, otherwise a text naming the
// component and the call.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <comdef.h>

#include "com/ComHolders.h"

// In-process server, in-process handler, local server, remote server.
const DWORD HostComponentContext = 0x17;

// Names of the host components, as the failure texts give them.
extern const wchar_t HostSettingsName[];
extern const wchar_t HostFileSelectionName[];

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
// that interface, its error information; otherwise with a description of
// the failed `operation` of the component called `name`.
void RaiseHostFailure(HRESULT result, IUnknown* component, REFIID iid, const wchar_t* name,
                      const wchar_t* operation);

// Throws _com_error(E_POINTER) for the component called `name`, which could
// not be made.
void RaiseMissingHostComponent(const wchar_t* name);

// The component behind a host reference, for one call on it; an empty one is
// raised as E_POINTER. The thread's error information is cleared for the
// call: a component that fails without posting any would otherwise be
// reported with whatever an earlier call left there.
template <class T>
T* HostComponent(const ComPtr<T>& component, const wchar_t* name)
{
    if (!component)
        RaiseMissingHostComponent(name);
    SetErrorInfo(0, nullptr);
    return component.Get();
}

inline void CheckHostCall(HRESULT result, IUnknown* component, REFIID iid, const wchar_t* name,
                          const wchar_t* operation)
{
    if (FAILED(result))
        RaiseHostFailure(result, component, iid, name, operation);
}

// A failed call on an object that the host handed over (its payments, bank
// context and account, statement and transactions): throws _com_error with
// the HRESULT and, where the object offers it for that interface, its error
// information; otherwise with "The e-banking host failed in OPERATION for
// ITEM NUMBER (0x80004005)", or without " for ITEM NUMBER" when `item` is
// null. A run clears the thread's error information before its first host
// call, so none left from before the run is taken for the object's.
[[noreturn]] void RaiseHostObjectFailure(HRESULT result, IUnknown* object, REFIID iid, const wchar_t* operation,
                                         const wchar_t* item = nullptr, long number = 0);

template <class T>
void CheckHostObjectCall(HRESULT result, T* object, const wchar_t* operation, const wchar_t* item = nullptr,
                         long number = 0)
{
    if (FAILED(result))
        RaiseHostObjectFailure(result, object, __uuidof(T), operation, item, number);
}

// Throws _com_error with the HRESULT and a description of the component's
// own: a failure the host reads as the call's error information.
[[noreturn]] void RaiseDescribedFailure(HRESULT result, const wchar_t* description);
