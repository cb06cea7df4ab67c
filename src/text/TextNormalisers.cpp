#include "text/TextNormalisers.h"

#include <math.h>

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

namespace
{
// What CleanText writes for a character, or '\0' when it drops it.
char CleanChar(char ch)
{
    if ((ch >= 'A' && ch <= 'Z') || IsDigit(ch) || ch == ' ' || ch == '&' || ch == '-' || ch == '.' || ch == '/')
        return ch;
    if (ch >= 'a' && ch <= 'z')
        return static_cast<char>(ch - 'a' + 'A');
    return '\0';
}
}

void CFieldText::Append(const char* text, int length)
{
    for (int index = 0; index < length && m_length < Capacity; ++index)
        m_text[m_length++] = text[index];
    m_text[m_length] = '\0';
}

void CFieldText::Cut(int length)
{
    if (length >= 0 && length < m_length)
    {
        m_length = length;
        m_text[m_length] = '\0';
    }
}

CFieldText ToAnsiText(BSTR text)
{
    CFieldText result;
    for (int index = 0; text && index < CFieldText::Capacity; ++index)
    {
        const wchar_t ch = text[index];
        if (ch == L'\0' || ch > 0xFF)
            break;
        result.Append(static_cast<char>(ch));
    }
    return result;
}

CFieldText DigitsOf(BSTR text)
{
    const CFieldText ansi = ToAnsiText(text);
    CFieldText digits;
    for (const char* ch = ansi.GetString(); *ch; ++ch)
    {
        if (IsDigit(*ch))
            digits.Append(*ch);
    }
    return digits;
}

CString CleanText(const CString& text)
{
    return FilteredText(text, CleanChar);
}

CFieldText CleanText(const char* text, int length, int width)
{
    CFieldText cleaned;
    for (int index = 0; index < length && cleaned.GetLength() < width; ++index)
    {
        const char kept = CleanChar(text[index]);
        if (kept != '\0')
            cleaned.Append(kept);
    }
    return cleaned;
}

bool IsAllDigits(const char* text)
{
    for (const char* ch = text; *ch; ++ch)
    {
        if (!IsDigit(*ch))
            return false;
    }
    return true;
}

namespace
{
// The range of days the platform converts: 1 January 100 to 31 December 9999.
const double FirstDay = -657434.0;
const double LastDay = 2958465.0;

void AppendDigits(CFieldText& text, int value, int digits)
{
    char reversed[8];
    for (int index = 0; index < digits; ++index, value /= 10)
        reversed[index] = static_cast<char>('0' + value % 10);
    for (int index = digits - 1; index >= 0; --index)
        text.Append(reversed[index]);
}
}

CFieldText FormatProcessingDate(DATE date)
{
    // Only the whole part counts the day; the conversion would otherwise round
    // a time just before midnight into the next day. The calendar day is
    // counted as the platform's VariantTimeToSystemTime counts it, in the
    // Gregorian calendar from the Julian day number, without its cost.
    const double whole = trunc(date);
    int day = 0;
    int month = 0;
    int year = 0;
    if (whole >= FirstDay && whole <= LastDay)
    {
        int l = static_cast<int>(whole) + 2415019 + 68569;
        const int n = l * 4 / 146097;
        l -= (n * 146097 + 3) / 4;
        const int i = (4000 * (l + 1)) / 1461001;
        l += 31 - (i * 1461) / 4;
        const int j = (l * 80) / 2447;
        day = l - (j * 2447) / 80;
        l = j / 11;
        month = j + 2 - 12 * l;
        year = 100 * (n - 49) + i + l;
    }
    CFieldText text;
    AppendDigits(text, day, 2);
    AppendDigits(text, month, 2);
    AppendDigits(text, year, 4);
    return text;
}
