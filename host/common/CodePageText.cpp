#include "common/CodePageText.h"

std::wstring WideFromCodePage(UINT codePage, const std::string& text, DWORD flags)
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

std::string CodePageFromWide(UINT codePage, const std::wstring& text)
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
