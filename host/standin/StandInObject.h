// Base of the stand-in's components: the host's object root, a lock on the
// DLL while the object lives, QueryInterface for IUnknown, IDispatch, the
// object's interface and ISupportErrorInfo (for that interface), and
// IDispatch served from the host's registered type library. OleRun finds no
// IRunnableObject here and treats the object as running.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>

#include "com/ComHolders.h"
#include "com/DispatchImpl.h"
#include "common/HostObjectRoot.h"
#include "standin/StandInModule.h"

// Posts error information (source "VornHostStandIn", the interface as GUID,
// the description) on the thread and returns the failure.
HRESULT PostError(HRESULT result, REFIID iid, const std::string& description);

// The failure that the controller forced on the operation, posted as by
// PostError; S_OK when the operation is to do its work.
HRESULT ForcedResult(REFIID iid, int operation);

// A new BSTR of an ANSI text; E_OUTOFMEMORY when none could be made.
HRESULT AnsiToBstr(const std::string& text, BSTR* out);

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
                       public CSupportErrorInfoImpl<InterfaceId>,
                       public CHostObjectRoot
{
public:
    CStandInObject() { StandInLock(); }
    ~CStandInObject() override { StandInUnlock(); }

    VORN_HOST_IUNKNOWN_METHODS

    InterfaceTableOf<CHostObjectRoot> Interfaces() override
    {
        static const InterfaceEntryOf<CHostObjectRoot> entries[] = {
            VORN_HOST_INTERFACE(CStandInObject, Interface, *InterfaceId),
            VORN_HOST_INTERFACE(CStandInObject, Interface, IID_IDispatch),
            VORN_HOST_INTERFACE(CStandInObject, ISupportErrorInfo, IID_ISupportErrorInfo),
        };
        return TableOf(entries);
    }
};
