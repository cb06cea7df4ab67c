#include "StandInObject.h"

#include <oleauto.h>

#include <vector>

#include "StandInState.h"

HRESULT PostError(HRESULT result, REFIID iid, const std::string& description)
{
    ComPtr<ICreateErrorInfo> create;
    if (FAILED(CreateErrorInfo(create.Out())))
        return result;
    BStr text;
    if (SUCCEEDED(AnsiToBstr(description, text.Out())))
        create->SetDescription(text.Get());
    create->SetGUID(iid);
    create->SetSource(const_cast<LPOLESTR>(L"VornHostStandIn"));
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create.As(IID_IErrorInfo, info)))
        SetErrorInfo(0, info.Get());
    return result;
}

HRESULT ForcedResult(REFIID iid, int operation)
{
    const ForcedFailure* failure = FailureOf(operation);
    return failure ? PostError(failure->result, iid, failure->description) : S_OK;
}

HRESULT AnsiToBstr(const std::string& text, BSTR* out)
{
    *out = nullptr;
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::vector<wchar_t> wide(length + 1);
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    *out = SysAllocStringLen(wide.data(), length);
    return *out ? S_OK : E_OUTOFMEMORY;
}
