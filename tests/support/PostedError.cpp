#include "support/PostedError.h"

#include "com/ComHolders.h"

namespace
{
std::wstring TextOf(const BStr& text)
{
    return std::wstring(text.Text(), text.Length());
}
}

PostedError TakePostedError()
{
    PostedError error;
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info)
        return error;
    error.posted = true;
    BStr text;
    info->GetDescription(text.Out());
    error.description = TextOf(text);
    info->GetSource(text.Out());
    error.source = TextOf(text);
    info->GetHelpFile(text.Out());
    error.helpFile = TextOf(text);
    info->GetHelpContext(&error.helpContext);
    info->GetGUID(&error.interfaceId);
    return error;
}

void ClearPostedError()
{
    SetErrorInfo(0, nullptr);
}

// Asked in UTF-16 directly, so the component's ANSI reading and conversion
// are checked, not repeated.
std::wstring SystemMessage(DWORD code)
{
    wchar_t message[1024] = {};
    const DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
                                        0x400, message, sizeof message / sizeof message[0], nullptr);
    return std::wstring(message, length);
}
