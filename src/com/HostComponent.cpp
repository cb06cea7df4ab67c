#include "com/HostComponent.h"

#include <stdio.h>

#include "com/ErrorReporting.h"

const wchar_t HostSettingsName[] = L"settings component";
const wchar_t HostFileSelectionName[] = L"file selection component";

namespace
{
const int DescriptionSize = 256;

// Throws the host's own error information for the failed call, when the
// object offers it for the interface and has posted some.
void RaiseHostErrorInfo(HRESULT result, IUnknown* object, REFIID iid)
{
    IErrorInfo* info = nullptr;
    ComPtr<ISupportErrorInfo> support;
    if (object && SUCCEEDED(object->QueryInterface(IID_ISupportErrorInfo, support.OutVoid())) &&
        support->InterfaceSupportsErrorInfo(iid) == S_OK)
    {
        if (GetErrorInfo(0, &info) != S_OK)
            info = nullptr;
    }
    // The exception owns the information from here on.
    if (info)
        throw _com_error(result, info, false);
}
}

void RaiseDescribedFailure(HRESULT result, const wchar_t* description)
{
    throw _com_error(result, NewErrorInfo(description), false);
}

void RaiseHostFailure(HRESULT result, IUnknown* component, REFIID iid, const wchar_t* name,
                      const wchar_t* operation)
{
    RaiseHostErrorInfo(result, component, iid);
    wchar_t description[DescriptionSize];
    _snwprintf(description, DescriptionSize - 1, L"The e-banking host's %ls failed in %ls (0x%08lX).", name,
               operation, static_cast<unsigned long>(result));
    description[DescriptionSize - 1] = L'\0';
    RaiseDescribedFailure(result, description);
}

void RaiseMissingHostComponent(const wchar_t* name)
{
    wchar_t description[DescriptionSize];
    _snwprintf(description, DescriptionSize - 1, L"The e-banking host's %ls could not be created.", name);
    description[DescriptionSize - 1] = L'\0';
    RaiseDescribedFailure(E_POINTER, description);
}

void RaiseHostObjectFailure(HRESULT result, IUnknown* object, REFIID iid, const wchar_t* operation,
                            const wchar_t* item, long number)
{
    RaiseHostErrorInfo(result, object, iid);
    wchar_t description[DescriptionSize];
    if (item)
        _snwprintf(description, DescriptionSize - 1, L"The e-banking host failed in %ls for %ls %ld (0x%08lX)",
                   operation, item, number, static_cast<unsigned long>(result));
    else
        _snwprintf(description, DescriptionSize - 1, L"The e-banking host failed in %ls (0x%08lX)", operation,
                   static_cast<unsigned long>(result));
    description[DescriptionSize - 1] = L'\0';
    RaiseDescribedFailure(result, description);
}
