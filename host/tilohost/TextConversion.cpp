#include "tilohost/TextConversion.h"

#include <windows.h>

#include "tilohost/Failures.h"

namespace
{
std::wstring Widen(UINT codePage, DWORD flags, const std::string& text)
{
    if (text.empty())
        return std::wstring();
    const int size = MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (size <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &wide[0], size);
    return wide;
}

std::string Narrow(UINT codePage, const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    if (size <= 0)
        return std::string();
    std::string narrow(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), &narrow[0], size, nullptr,
                        nullptr);
    return narrow;
}
}

std::wstring WideFromUtf8(const std::string& text)
{
    const std::wstring wide = Widen(CP_UTF8, MB_ERR_INVALID_CHARS, text);
    if (wide.empty() && !text.empty())
        throw BadInput("not valid UTF-8 text");
    return wide;
}

std::string Utf8FromWide(const std::wstring& text)
{
    return Narrow(CP_UTF8, text);
}

std::string Utf8FromAnsi(const std::string& text)
{
    return Narrow(CP_UTF8, Widen(CP_ACP, 0, text));
}

std::string AnsiFromUtf8(const std::string& text)
{
    return Narrow(CP_ACP, WideFromUtf8(text));
}
