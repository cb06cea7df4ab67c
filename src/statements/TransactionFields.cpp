#include "statements/TransactionFields.h"

#include <ctype.h>
#include <math.h>
#include <memory>
#include <oleauto.h>
#include <stdlib.h>
#include <string.h>

namespace
{
// The reader parses one file at a time on the host's thread.
char g_fieldBuffer[MaxFieldLength + 1];

const char* KeepField(const char* start, size_t length)
{
    if (length > static_cast<size_t>(MaxFieldLength))
        length = MaxFieldLength;
    memcpy(g_fieldBuffer, start, length);
    g_fieldBuffer[length] = '\0';
    return g_fieldBuffer;
}

// The last field: what follows the last separator, or the last quoted text.
const char* LastField(const char* line, char separator)
{
    const char* lastSeparator = strrchr(line, separator);
    if (!lastSeparator)
        return nullptr;
    const char* rest = lastSeparator + 1;
    if (!strchr(rest, '"'))
        return KeepField(rest, strlen(rest));

    const char* closing = strrchr(line, '"');
    // The opening quote is looked for back to the line's second character.
    for (const char* p = closing - 1; p > line; --p)
    {
        if (*p == '"')
            return KeepField(p, closing - p + 1);
    }
    return KeepField(closing, 0);
}
}

int CountFields(const char* line, char separator, bool& insideQuotes)
{
    if (!line)
        return 0;
    int count = 1;
    for (const char* p = line; *p; ++p)
    {
        if (*p == '"')
            insideQuotes = !insideQuotes;
        else if (*p == separator && !insideQuotes)
            ++count;
    }
    if (insideQuotes)
        --count;
    return count;
}

const char* GetField(const char* line, char separator, int n)
{
    if (!line || n < 1)
        return nullptr;
    bool insideQuotes = false;
    int separators = 0;
    const char* start = line;
    for (const char* p = line; *p; ++p)
    {
        if (*p == '"')
        {
            insideQuotes = !insideQuotes;
        }
        else if (*p == separator && !insideQuotes)
        {
            if (++separators == n)
                return KeepField(start, p - start);
            start = p + 1;
        }
    }
    if (separators != n - 1)
        return nullptr;
    return LastField(line, separator);
}

namespace
{
// Keeps the characters for which keep() is true. Field-sized texts are
// filtered on the stack; only longer ones need a heap buffer.
template <class Keep>
void KeepChars(CString& text, Keep keep)
{
    const int length = text.GetLength();
    char local[512];
    std::unique_ptr<char, decltype(&free)> heap(nullptr, &free);
    char* kept = local;
    if (length >= static_cast<int>(sizeof local))
    {
        heap.reset(static_cast<char*>(malloc(length + 1)));
        if (!heap)
            throw E_OUTOFMEMORY;
        kept = heap.get();
    }
    const char* source = text.GetString();
    int count = 0;
    for (int i = 0; i < length; ++i)
    {
        if (keep(source[i]))
            kept[count++] = source[i];
    }
    kept[count] = '\0';
    if (count != length)
        text = kept;
}
}

namespace
{
// The text's first quote is its first character and its last quote its
// last character. Statement files are single-byte text: the search is
// byte-wise.
bool IsEnclosedInQuotes(const char* text, int length)
{
    return length > 0 && text[0] == '"' && text[length - 1] == '"';
}
}

void StripQuotes(CString& text)
{
    const int length = text.GetLength();
    if (IsEnclosedInQuotes(text.GetString(), length))
        text = text.Mid(1, length - 2);
}

void StripQuotes(char* text)
{
    const int length = static_cast<int>(strlen(text));
    if (!IsEnclosedInQuotes(text, length))
        return;
    const int inner = length > 2 ? length - 2 : 0;
    memmove(text, text + 1, inner);
    text[inner] = '\0';
}

void RemoveWhitespace(CString& text)
{
    // Characters are classified as signed chars: bytes of 0x80 and above are
    // negative and never white space, so isspace sees only valid arguments.
    KeepChars(text, [](char ch) { return !(static_cast<signed char>(ch) >= 0 && isspace(ch)); });
}

void RemoveChars(CString& text, const char* set)
{
    if (!set)
        throw E_INVALIDARG;
    KeepChars(text, [set](char ch) { return strchr(set, ch) == nullptr; });
}

namespace
{
// The length of the plain decimal number at the start of the text: an
// optional plus sign, digits, at most one point, digits. An exponent is no
// part of it, so "1e-5" (which loses its minus sign) cannot become 100000.
size_t PlainNumberLength(const char* text)
{
    size_t length = 0;
    if (text[length] == '+')
        ++length;
    while (text[length] >= '0' && text[length] <= '9')
        ++length;
    if (text[length] == '.')
    {
        ++length;
        while (text[length] >= '0' && text[length] <= '9')
            ++length;
    }
    return length;
}
}

double ParseAmount(const CString& text)
{
    CString amount(text);
    StripQuotes(amount);
    RemoveWhitespace(amount);
    RemoveChars(amount, ",-");
    const size_t length = PlainNumberLength(amount.GetString());
    if (length == 0)
        return 0.0;
    // What follows the number is ignored, as atof ignores it.
    const CString number = amount.Left(static_cast<int>(length));
    const double value = atof(number.GetString());
    // Digits too many for a double are no amount.
    return isfinite(value) ? value : 0.0;
}

namespace
{
struct DateParts
{
    long first = 0;
    long second = 0;
    long third = 0;
};

bool BeginsWithDigit(const char* part)
{
    return part && *part >= '0' && *part <= '9';
}

// strtol rather than atoi: an overlong number is clamped instead of
// overflowing, and the range checks then refuse it.
bool SplitDate(char* text, const char* separator, DateParts& parts)
{
    char* first = strtok(text, separator);
    if (first && *first == '"')
        ++first;
    char* second = strtok(nullptr, separator);
    char* third = strtok(nullptr, separator);
    if (!BeginsWithDigit(first) || !BeginsWithDigit(second) || !BeginsWithDigit(third))
        return false;
    parts.first = strtol(first, nullptr, 10);
    parts.second = strtol(second, nullptr, 10);
    parts.third = strtol(third, nullptr, 10);
    return true;
}

// Converts only a real calendar date: the platform would roll day 0, month
// 0 or 31 February over into a neighbouring date, so the result must convert
// back to the same month and day.
bool ConvertDate(long year, long month, long day, double& date)
{
    if (year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    double converted = 0.0;
    if (!SystemTimeToVariantTime(&time, &converted))
        return false;
    SYSTEMTIME back = {};
    if (!VariantTimeToSystemTime(converted, &back) || back.wMonth != month || back.wDay != day)
        return false;
    date = converted;
    return true;
}
}

double ParseDate(const CString& text)
{
    const int length = text.GetLength();
    std::unique_ptr<char, decltype(&free)> copy(static_cast<char*>(malloc(length + 1)), &free);
    if (!copy)
        return 0.0;

    double date = 0.0;
    DateParts parts;
    memcpy(copy.get(), text.GetString(), length + 1);
    if (SplitDate(copy.get(), "/", parts) && ConvertDate(parts.third, parts.second, parts.first, date)
        && date >= 0.000005)
        return date;

    memcpy(copy.get(), text.GetString(), length + 1);
    if (SplitDate(copy.get(), "-", parts))
        ConvertDate(parts.first, parts.second, parts.third, date);
    return date;
}
