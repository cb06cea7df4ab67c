// The reader's free functions on the fields of a statement line: splitting a
// line at its commas (a double quote switches between outside and inside
// quotes, and quotes are kept), cleaning a field's text, and reading an
// amount or a date from it. The reader splits each line once and reads every
// field where it lies in the line; the functions on CStrings and the field
// buffer give the same results for anything else that uses them.
#pragma once

#include "text/CString.h"

// Longest field that GetField hands over; longer fields are cut to it.
const int MaxFieldLength = 511;

// Some characters of a text, where they lie.
struct TextSpan
{
    const char* start;
    int length;
};

// A NUL-terminated line split once into its fields, each exactly as GetField
// cuts it. The line must outlive the object.
class CLineFields
{
public:
    CLineFields(const char* line, char separator);

    // As CountFields, starting outside quotes.
    int Count() const { return m_separators + 1 - (m_endsInsideQuotes ? 1 : 0); }
    // Whether the line ends inside quotes.
    bool EndsInsideQuotes() const { return m_endsInsideQuotes; }

    // Field n (from 1) as GetField gives it, quotes included and cut to
    // MaxFieldLength; false when the line has no such field.
    bool Field(int n, TextSpan& field) const
    {
        if (n < 1 || n > m_separators + 1)
            return false;
        if (n == m_separators + 1)
            return LastField(field);
        if (n > KeptSeparators)
            return FieldBeyondKept(n, field);
        const int start = n == 1 ? 0 : m_separatorAt[n - 2] + 1;
        const int length = m_separatorAt[n - 1] - start;
        field = {m_line + start, length > MaxFieldLength ? MaxFieldLength : length};
        return true;
    }

private:
    // The positions of this many separators are kept; fields beyond them are
    // found by walking the line again.
    static const int KeptSeparators = 20;

    // The last field, from what the walk noted.
    bool LastField(TextSpan& field) const;
    // A field beyond the kept separators, found by walking the line again.
    bool FieldBeyondKept(int n, TextSpan& field) const;

    const char* m_line;
    char m_separator;
    int m_separators = 0;
    bool m_endsInsideQuotes = false;
    int m_separatorAt[KeptSeparators];
    // Where the last separator (inside quotes or not) and the last two double
    // quotes stand; -1 for none. The line's length.
    int m_lastSeparator = -1;
    int m_lastQuote = -1;
    int m_quoteBeforeLast = -1;
    int m_length = 0;
};

// The number of fields of a line (0 for no line). The caller sets
// insideQuotes to false before each line; it is left as the line ends. A
// line that ends inside quotes counts one field less.
int CountFields(const char* line, char separator, bool& insideQuotes);

// The n-th field of the line (counted from 1), quotes included, or null when
// the line has no such field. The text lies in the reader's one field buffer
// and is valid until the next call.
//
// The last field is found differently: it follows the line's last separator,
// whether quoted or not. When quotes stand after that separator, the field
// is the last quoted text of the line, from the quote before the line's last
// quote through that last quote; whatever follows the closing quote (the
// carriage return of a binary read) is dropped.
const char* GetField(const char* line, char separator, int n);

// Removes enclosing double quotes: when the text's first quote is its first
// character and its last quote its last character, the text becomes what lies
// between them. A lone quote becomes the empty text.
inline void StripQuotes(TextSpan& text)
{
    // Statement files are single-byte text: the test is byte-wise.
    if (text.length == 0 || text.start[0] != '"' || text.start[text.length - 1] != '"')
        return;
    ++text.start;
    text.length = text.length > 2 ? text.length - 2 : 0;
}
void StripQuotes(CString& text);
// The same for a NUL-terminated text in a buffer of the caller's.
void StripQuotes(char* text);

// Removes every white-space character wherever it stands.
void RemoveWhitespace(CString& text);

// Removes every character that occurs in the set.
void RemoveChars(CString& text, const char* set);

// The amount a text gives, without sign: enclosing quotes, white space,
// commas and minus signs are dropped ("-1,234.50" and "1 234.50" both give
// 1234.5). What is left is read as far as it is a plain decimal number (an
// optional "+", digits, at most one "."; no exponent): "5 GBP" gives 5 and
// "2E3" gives 2. A text with no such number, and one whose number is too
// long for a double, give 0.0.
double ParseAmount(TextSpan text);
double ParseAmount(const CString& text);

// An amount column as the import reads it: after enclosing quotes, white
// space, commas and minus signs are dropped, what is left must be empty
// (0.0) or a plain decimal number: an optional "+", at least one digit, at
// most one "." ("12", "12.5", ".50", "5."). False for anything else (a
// currency sign, brackets, an exponent, text after the number, two points)
// and for a number too long for a double; the amount is then 0.0.
bool ReadPlainAmount(TextSpan text, double& amount);

// The OLE Automation date of a text, at time 0. The text is read day first
// (30/11/2012) and, when that gives nothing or a value below 0.000005, year
// first (2012-11-30). A form is read only when its text has at least three
// parts, each a number as atoi reads it (white space and a sign before the
// digits are allowed; the first part may have one double quote before it),
// that name a real calendar date; the platform's rolling over of missing or
// impossible parts is never accepted. Years 0 to 49 are 2000 to 2049, years
// 50 to 99 are 1950 to 1999, as the platform reads them. A text that neither
// form reads gives 0.0; a day-first date before 30 December 1899 that the
// year-first form does not replace is kept (a negative value).
double ParseDate(TextSpan text);
double ParseDate(const CString& text);
