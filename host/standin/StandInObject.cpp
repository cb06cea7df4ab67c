#include "standin/StandInObject.h"

#include <oleauto.h>

#include "common/CodePageText.h"
#include "standin/StandInState.h"

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
    if (!failure)
        return S_OK;
    return failure->posted ? PostError(failure->result, iid, failure->description) : failure->result;
}

HRESULT AnsiToBstr(const std::string& text, BSTR* out)
{
    const std::wstring wide = WideFromCodePage(CP_ACP, text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}
