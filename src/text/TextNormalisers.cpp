#include "text/TextNormalisers.h"

#include <math.h>
#include <stdio.h>

namespace
{
const int MaximumAnsiLength = 255;

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsKeptByCleanText(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z') || IsDigit(ch) || ch == ' ' || ch == '&' ||
           ch == '-' || ch == '.' || ch == '/';
}
}

CString ToAnsiText(BSTR text)
{
    char buffer[MaximumAnsiLength + 1];
    int length = 0;
    if (text)
    {
        for (; length < MaximumAnsiLength; ++length)
        {
            const wchar_t ch = text[length];
            if (ch == L'\0' || ch > 0xFF)
                break;
            buffer[length] = static_cast<char>(ch);
        }
    }
    buffer[length] = '\0';
    return CString(buffer);
}

CString DigitsOf(BSTR text)
{
    return FilteredText(ToAnsiText(text), [](char ch) { return IsDigit(ch) ? ch : '\0'; });
}

CString CleanText(const CString& text)
{
    return FilteredText(text, [](char ch) {
        if (!IsKeptByCleanText(ch))
            return '\0';
        return (ch >= 'a' && ch <= 'z') ? static_cast<char>(ch - 'a' + 'A') : ch;
    });
}

bool IsAllDigits(const CString& text)
{
    for (const char* ch = text.GetString(); *ch; ++ch)
    {
        if (!IsDigit(*ch))
            return false;
    }
    return true;
}

CString FormatProcessingDate(DATE date)
{
    // Only the whole part counts the day; the conversion would otherwise round
    // a time just before midnight into the next day.
    SYSTEMTIME day = {};
    if (!VariantTimeToSystemTime(trunc(date), &day))
        day = SYSTEMTIME{};
    char buffer[16];
    snprintf(buffer, sizeof buffer, "%02d%02d%04d", day.wDay, day.wMonth, day.wYear);
    return CString(buffer);
}
