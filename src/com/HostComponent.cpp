#include "com/HostComponent.h"

#include <stdio.h>

#include "com/ErrorReporting.h"

const wchar_t HostSettingsName[] = L"settings component";
const wchar_t HostFileSelectionName[] = L"file selection component";

namespace
{
const int DescriptionSize = 256;

[[noreturn]] void RaiseDescribed(HRESULT result, const wchar_t* description)
{
    throw _com_error(result, NewErrorInfo(description), false);
}
}

void RaiseHostFailure(HRESULT result, IUnknown* component, REFIID iid, const wchar_t* name,
                      const wchar_t* operation)
{
    IErrorInfo* info = nullptr;
    ComPtr<ISupportErrorInfo> support;
    if (component && SUCCEEDED(component->QueryInterface(IID_ISupportErrorInfo, support.OutVoid())) &&
        support->InterfaceSupportsErrorInfo(iid) == S_OK)
    {
        if (GetErrorInfo(0, &info) != S_OK)
            info = nullptr;
    }
    // The exception owns the information from here on.
    if (info)
        throw _com_error(result, info, false);
    wchar_t description[DescriptionSize];
    _snwprintf(description, DescriptionSize - 1, L"The e-banking host's %ls failed in %ls (0x%08lX).", name,
               operation, static_cast<unsigned long>(result));
    description[DescriptionSize - 1] = L'\0';
    RaiseDescribed(result, description);
}

void RaiseMissingHostComponent(const wchar_t* name)
{
    wchar_t description[DescriptionSize];
    _snwprintf(description, DescriptionSize - 1, L"The e-banking host's %ls could not be created.", name);
    description[DescriptionSize - 1] = L'\0';
    RaiseDescribed(E_POINTER, description);
}
