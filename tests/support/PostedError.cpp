#include "support/PostedError.h"

namespace
{
std::wstring Take(BSTR text)
{
    std::wstring result = text ? std::wstring(text, SysStringLen(text)) : std::wstring();
    SysFreeString(text);
    return result;
}
}

PostedError TakePostedError()
{
    PostedError error;
    IErrorInfo* info = nullptr;
    if (GetErrorInfo(0, &info) != S_OK || !info)
        return error;
    error.posted = true;
    BSTR text = nullptr;
    info->GetDescription(&text);
    error.description = Take(text);
    text = nullptr;
    info->GetSource(&text);
    error.source = Take(text);
    text = nullptr;
    info->GetHelpFile(&text);
    error.helpFile = Take(text);
    info->GetHelpContext(&error.helpContext);
    info->GetGUID(&error.interfaceId);
    info->Release();
    return error;
}

void ClearPostedError()
{
    SetErrorInfo(0, nullptr);
}
