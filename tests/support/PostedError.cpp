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

std::wstring SystemMessage(DWORD code)
{
    char* message = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code, 0x400,
                   reinterpret_cast<char*>(&message), 0, nullptr);
    std::wstring wide;
    for (const char* c = message; c && *c; ++c)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(*c));
    LocalFree(message);
    return wide;
}
