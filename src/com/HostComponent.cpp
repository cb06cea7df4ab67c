#include "com/HostComponent.h"

void RaiseHostFailure(HRESULT result, IUnknown* component, REFIID iid)
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
    throw _com_error(result, info, false);
}
