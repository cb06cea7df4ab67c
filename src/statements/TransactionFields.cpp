#include "statements/TransactionFields.h"

#include <math.h>
#include <stdlib.h>
#include <stdint.h>
#include <string.h>

#include <memory>

namespace
{
// The reader parses one file at a time on the host's thread.
char g_fieldBuffer[MaxFieldLength + 1];

TextSpan Cut(const char* start, size_t length)
{
    return {start, static_cast<int>(length > static_cast<size_t>(MaxFieldLength) ? MaxFieldLength : length)};
}

// Walks the line with the quote rule and reports each separator that stands
// outside quotes; `insideQuotes` is left as the line ends.
template <class OnSeparator>
void ScanLine(const char* line, char separator, bool& insideQuotes, OnSeparator onSeparator)
{
    for (const char* p = line; *p; ++p)
    {
        if (*p == '"')
            insideQuotes = !insideQuotes;
        else if (*p == separator && !insideQuotes)
            onSeparator(p);
    }
}

// What the walk over a line stops at: its separator, a double quote and the
// line's end; every other character is passed over in one tight loop.
class CStopTable
{
public:
    enum Kind : unsigned char
    {
        Other,
        Separator,
        Quote,
        End
    };

    explicit CStopTable(char separator)
    {
        for (Kind& kind : m_kinds)
            kind = Other;
        m_kinds[static_cast<unsigned char>(separator)] = Separator;
        m_kinds[static_cast<unsigned char>('"')] = Quote;
        m_kinds[0] = End;
    }
    Kind Of(char ch) const { return m_kinds[static_cast<unsigned char>(ch)]; }

private:
    Kind m_kinds[256];
};

const CStopTable& StopTable(char separator)
{
    // Statement lines are split at commas; another separator gets its table
    // when it is asked for.
    static const CStopTable Commas(',');
    if (separator == ',')
        return Commas;
    static CStopTable other(separator);
    other = CStopTable(separator);
    return other;
}
}

namespace
{
// True when a byte of the word is zero (or, given the word exclusive-ored
// with a byte repeated, equal to that byte).
bool HasZeroByte(unsigned long word)
{
    return ((word - 0x01010101UL) & ~word & 0x80808080UL) != 0;
}

// Passes over the characters that are no stop, four at a time where the text
// is aligned: an aligned word never reaches into the next page, so reading
// it beyond the text's end is safe.
const char* NextStop(const char* p, const CStopTable& stops, unsigned long separators)
{
    while ((reinterpret_cast<uintptr_t>(p) & 3) != 0)
    {
        if (stops.Of(*p) != CStopTable::Other)
            return p;
        ++p;
    }
    const unsigned long Quotes = 0x22222222UL;
    for (;;)
    {
        unsigned long word;
        memcpy(&word, p, sizeof word);
        if (HasZeroByte(word) || HasZeroByte(word ^ separators) || HasZeroByte(word ^ Quotes))
            break;
        p += 4;
    }
    while (stops.Of(*p) == CStopTable::Other)
        ++p;
    return p;
}
}

CLineFields::CLineFields(const char* line, char separator) : m_line(line), m_separator(separator)
{
    const CStopTable& stops = StopTable(separator);
    const unsigned long separators = static_cast<unsigned char>(separator) * 0x01010101UL;
    const char* p = line;
    for (;;)
    {
        p = NextStop(p, stops, separators);
        const CStopTable::Kind kind = stops.Of(*p);
        if (kind == CStopTable::End)
            break;
        const int at = static_cast<int>(p - line);
        if (kind == CStopTable::Quote)
        {
            m_endsInsideQuotes = !m_endsInsideQuotes;
            m_quoteBeforeLast = m_lastQuote;
            m_lastQuote = at;
        }
        else
        {
            m_lastSeparator = at;
            if (!m_endsInsideQuotes)
            {
                if (m_separators < KeptSeparators)
                    m_separatorAt[m_separators] = at;
                ++m_separators;
            }
        }
        ++p;
    }
    m_length = static_cast<int>(p - line);
}

// What follows the last separator, or the last quoted text: from the quote
// before the line's last quote (looked for back to the line's second
// character) through that last quote.
bool CLineFields::LastField(TextSpan& field) const
{
    if (m_lastSeparator < 0)
        return false;
    if (m_lastQuote < m_lastSeparator)
    {
        field = Cut(m_line + m_lastSeparator + 1, m_length - m_lastSeparator - 1);
        return true;
    }
    if (m_quoteBeforeLast > 0)
        field = Cut(m_line + m_quoteBeforeLast, m_lastQuote - m_quoteBeforeLast + 1);
    else
        field = Cut(m_line + m_lastQuote, 0);
    return true;
}

bool CLineFields::FieldBeyondKept(int n, TextSpan& field) const
{
    bool insideQuotes = false;
    int separators = 0;
    const char* start = m_line;
    ScanLine(m_line, m_separator, insideQuotes, [&](const char* at) {
        if (++separators == n)
            field = Cut(start, at - start);
        else if (separators < n)
            start = at + 1;
    });
    return true;
}

int CountFields(const char* line, char separator, bool& insideQuotes)
{
    if (!line)
        return 0;
    int count = 1;
    ScanLine(line, separator, insideQuotes, [&count](const char*) { ++count; });
    if (insideQuotes)
        --count;
    return count;
}

const char* GetField(const char* line, char separator, int n)
{
    TextSpan field;
    if (!line || !CLineFields(line, separator).Field(n, field))
        return nullptr;
    memcpy(g_fieldBuffer, field.start, field.length);
    g_fieldBuffer[field.length] = '\0';
    return g_fieldBuffer;
}

void StripQuotes(CString& text)
{
    TextSpan span{text.GetString(), text.GetLength()};
    StripQuotes(span);
    if (span.length != text.GetLength())
        text.Assign(span.start, span.length);
}

void StripQuotes(char* text)
{
    TextSpan span{text, static_cast<int>(strlen(text))};
    StripQuotes(span);
    memmove(text, span.start, span.length);
    text[span.length] = '\0';
}

namespace
{
// White space as isspace gives it for a signed char: bytes of 0x80 and above
// are negative and never white space; below, the classification of every
// locale is the C locale's: tab, line feed, vertical tab, form feed,
// carriage return and space.
bool IsWhitespace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

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
    if (count != length)
        text.Assign(kept, count);
}
}

void RemoveWhitespace(CString& text)
{
    KeepChars(text, [](char ch) { return !IsWhitespace(ch); });
}

void RemoveChars(CString& text, const char* set)
{
    if (!set)
        throw E_INVALIDARG;
    KeepChars(text, [set](char ch) { return strchr(set, ch) == nullptr; });
}

namespace
{
// The double nearest a plain decimal number (an optional "+", digits, at most
// one "."), as atof gives it, without atof's cost: an amount of at most 15
// significant digits and at most 22 decimals is its digits as an integer,
// exact in a double, divided by a power of ten that is exact too, and one
// division rounds correctly. The division is made in SSE2 so it is rounded
// once, to double, never first to the x87's longer format. False for a number
// this cannot read exactly.
__attribute__((target("sse2,fpmath=sse"))) bool ExactDecimal(const char* number, int length, double& value)
{
    static const double PowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    const int MaximumDigits = 15;
    const int MaximumDecimals = 22;
    unsigned long long digits = 0;
    int significant = 0;
    int decimals = -1;
    for (int index = number[0] == '+' ? 1 : 0; index < length; ++index)
    {
        if (number[index] == '.')
        {
            decimals = 0;
            continue;
        }
        if (decimals >= 0)
            ++decimals;
        if (significant > 0 || number[index] != '0')
            ++significant;
        if (significant > MaximumDigits || decimals > MaximumDecimals)
            return false;
        digits = digits * 10 + (number[index] - '0');
    }
    value = static_cast<double>(digits) / PowersOfTen[decimals > 0 ? decimals : 0];
    return true;
}
}

double ParseAmount(TextSpan text)
{
    StripQuotes(text);
    // One pass: white space, commas and minus signs are passed over, and the
    // plain decimal number at the start of what is left (an optional plus
    // sign, digits, at most one point, digits) is gathered. An exponent is no
    // part of it, so "1e-5" (which loses its minus sign) cannot become 100000.
    // Longer than a field is never read from a file; beyond it, what a
    // number could still add is nothing a double or an amount field holds.
    char number[MaxFieldLength + 1];
    int used = 0;
    enum
    {
        Start,
        Whole,
        Fraction
    } part = Start;
    for (int index = 0; index < text.length; ++index)
    {
        const char ch = text.start[index];
        if (IsWhitespace(ch) || ch == ',' || ch == '-')
            continue;
        if (ch >= '0' && ch <= '9')
            part = part == Start ? Whole : part;
        else if (ch == '+' && part == Start)
            part = Whole;
        else if (ch == '.' && part != Fraction)
            part = Fraction;
        else
            break;
        if (used == MaxFieldLength)
            break;
        number[used++] = ch;
    }
    if (used == 0)
        return 0.0;
    number[used] = '\0';
    double value = 0.0;
    // What follows the number is ignored, as atof ignores it.
    if (!ExactDecimal(number, used, value))
        value = atof(number);
    // Digits too many for a double are no amount.
    return isfinite(value) ? value : 0.0;
}

bool ReadPlainAmount(TextSpan text, double& amount)
{
    amount = 0.0;
    StripQuotes(text);
    char number[MaxFieldLength + 1];
    int used = 0;
    bool digits = false;
    bool point = false;
    for (int index = 0; index < text.length; ++index)
    {
        const char ch = text.start[index];
        if (IsWhitespace(ch) || ch == ',' || ch == '-')
            continue;
        if (ch >= '0' && ch <= '9')
            digits = true;
        else if (ch == '.' && !point)
            point = true;
        else if (!(ch == '+' && used == 0))
            return false;
        // A field is never longer than this; what a longer text holds is no
        // amount of a statement.
        if (used == MaxFieldLength)
            return false;
        number[used++] = ch;
    }
    if (used == 0)
        return true;
    if (!digits)
        return false;
    number[used] = '\0';
    double value = 0.0;
    if (!ExactDecimal(number, used, value))
        value = atof(number);
    if (!isfinite(value))
        return false;
    amount = value;
    return true;
}

double ParseAmount(const CString& text)
{
    return ParseAmount(TextSpan{text.GetString(), text.GetLength()});
}

namespace
{
struct DateParts
{
    long first = 0;
    long second = 0;
    long third = 0;
};

// A number read as strtol reads the digits at the start of a part; beyond
// any year, month or day it is only kept large.
long PartNumber(const char* digits, const char* end)
{
    const long Large = 100000;
    long value = 0;
    for (const char* p = digits; p < end && *p >= '0' && *p <= '9'; ++p)
        value = value >= Large ? Large : value * 10 + (*p - '0');
    return value;
}

// The number a part gives as atoi reads it: leading white space and one
// sign passed over, then its digits. False when no digit follows them.
bool ReadPart(const char* p, const char* end, long& value)
{
    while (p < end && IsWhitespace(*p))
        ++p;
    const bool negative = p < end && *p == '-';
    if (p < end && (*p == '+' || *p == '-'))
        ++p;
    if (p >= end || *p < '0' || *p > '9')
        return false;
    value = PartNumber(p, end);
    if (negative)
        value = -value;
    return true;
}

// The first three parts of the text split at the separator as strtok splits
// it (separators at the start and in a row make no empty parts); the first
// may begin with one double quote. False unless each holds a number.
bool SplitDate(TextSpan text, char separator, DateParts& parts)
{
    const char* p = text.start;
    const char* end = text.start + text.length;
    long* values[] = {&parts.first, &parts.second, &parts.third};
    for (int part = 0; part < 3; ++part)
    {
        while (p < end && *p == separator)
            ++p;
        const char* tokenEnd = p;
        while (tokenEnd < end && *tokenEnd != separator)
            ++tokenEnd;
        const char* number = p;
        if (part == 0 && number < tokenEnd && *number == '"')
            ++number;
        if (!ReadPart(number, tokenEnd, *values[part]))
            return false;
        p = tokenEnd;
    }
    return true;
}

bool IsLeapYear(long year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// Only a real calendar date converts, to the OLE Automation date the
// platform gives it: two-digit years are windowed as the platform windows
// them, and days are counted in the Gregorian calendar from
// 30 December 1899.
bool ConvertDate(long year, long month, long day, double& date)
{
    static const int DaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (year < 0 || year > 9999 || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    if (year < 50)
        year += 2000;
    else if (year < 100)
        year += 1900;
    const long monthDays = DaysInMonth[month - 1] + (month == 2 && IsLeapYear(year) ? 1 : 0);
    if (day > monthDays)
        return false;
    // The Julian day number of the date, less that of 30 December 1899.
    const long shift = (month - 14) / 12;
    const long julian = (1461 * (year + 4800 + shift)) / 4 + (367 * (month - 2 - 12 * shift)) / 12 -
                        (3 * ((year + 4900 + shift) / 100)) / 4 + day - 32075;
    date = static_cast<double>(julian - 2415019);
    return true;
}
}

double ParseDate(TextSpan text)
{
    double date = 0.0;
    DateParts parts;
    if (SplitDate(text, '/', parts) && ConvertDate(parts.third, parts.second, parts.first, date) &&
        date >= 0.000005)
        return date;
    if (SplitDate(text, '-', parts))
        ConvertDate(parts.first, parts.second, parts.third, date);
    return date;
}

double ParseDate(const CString& text)
{
    return ParseDate(TextSpan{text.GetString(), text.GetLength()});
}
