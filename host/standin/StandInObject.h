// Base of the stand-in's COM objects: reference counting that keeps the DLL
// locked, QueryInterface for IUnknown, IDispatch, the object's interface and
// ISupportErrorInfo (for that interface), and IDispatch served from the
// host's registered type library. OleRun finds no IRunnableObject here and
// treats the object as running.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "StandInModule.h"
#include "com/ComHolders.h"
#include "com/DispatchImpl.h"

// Posts error information (source "VornHostStandIn", the interface as GUID,
// the description) on the thread and returns the failure.
HRESULT PostError(HRESULT result, REFIID iid, const std::string& description);

// The failure that the controller forced on the operation, posted as by
// PostError; S_OK when the operation is to do its work.
HRESULT ForcedResult(REFIID iid, int operation);

// A new BSTR of an ANSI text; E_OUTOFMEMORY when none could be made.
HRESULT AnsiToBstr(const std::string& text, BSTR* out);

// Conversions between the ANSI code page and wide text; a character the
// code page lacks becomes "?".
std::wstring AnsiToWide(const std::string& text);
std::string WideToAnsi(const std::wstring& text);

// The type information of an interface of one of the host's registered type
// libraries (version 1.0).
template <const GUID* LibraryId>
HRESULT HostTypeInfo(REFIID iid, ITypeInfo** info)
{
    *info = nullptr;
    ComPtr<ITypeLib> library;
    const HRESULT result = LoadRegTypeLib(*LibraryId, 1, 0, LOCALE_NEUTRAL, library.Out());
    return FAILED(result) ? result : library->GetTypeInfoOfGuid(iid, info);
}

template <class Interface, const IID* InterfaceId, const GUID* LibraryId>
class CStandInObject : public IDispatchImpl<Interface, InterfaceId, HostTypeInfo<LibraryId>>,
                       public CSupportErrorInfoImpl<InterfaceId>
{
public:
    CStandInObject() { StandInLock(); }
    CStandInObject(const CStandInObject&) = delete;
    CStandInObject& operator=(const CStandInObject&) = delete;
    virtual ~CStandInObject() { StandInUnlock(); }

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, *InterfaceId))
            *out = static_cast<Interface*>(this);
        else if (IsEqualIID(iid, IID_ISupportErrorInfo))
            *out = static_cast<ISupportErrorInfo*>(this);
        else
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_refCount); }
    STDMETHODIMP_(ULONG) Release() override
    {
        const LONG count = InterlockedDecrement(&m_refCount);
        if (count == 0)
            delete this;
        return count;
    }

private:
    volatile LONG m_refCount = 0;
};
