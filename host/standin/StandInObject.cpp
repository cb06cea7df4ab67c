#include "standin/StandInObject.h"

#include <oleauto.h>

#include <vector>

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
    return failure ? PostError(failure->result, iid, failure->description) : S_OK;
}

HRESULT AnsiToBstr(const std::string& text, BSTR* out)
{
    const std::wstring wide = AnsiToWide(text);
    *out = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
}

std::wstring AnsiToWide(const std::string& text)
{
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(length > 0 ? length : 0, L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string WideToAnsi(const std::wstring& text)
{
    const int length = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(length > 0 ? length : 0, '\0');
    if (length > 0)
        WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &narrow[0], length, nullptr,
                            nullptr);
    return narrow;
}
