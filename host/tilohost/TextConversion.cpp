#include "tilohost/TextConversion.h"

#include "common/CodePageText.h"
#include "tilohost/Failures.h"

std::wstring WideFromUtf8(const std::string& text)
{
    const std::wstring wide = WideFromCodePage(CP_UTF8, text, MB_ERR_INVALID_CHARS);
    if (wide.empty() && !text.empty())
        throw BadInput("not valid UTF-8 text");
    return wide;
}

std::string Utf8FromWide(const std::wstring& text)
{
    return CodePageFromWide(CP_UTF8, text);
}

std::string Utf8FromAnsi(const std::string& text)
{
    return CodePageFromWide(CP_UTF8, WideFromCodePage(CP_ACP, text));
}

std::string AnsiFromUtf8(const std::string& text)
{
    return CodePageFromWide(CP_ACP, WideFromUtf8(text));
}

bool FitsAnsi(const std::string& text)
{
    const std::wstring wide = WideFromUtf8(text);
    return WideFromCodePage(CP_ACP, CodePageFromWide(CP_ACP, wide)) == wide;
}
