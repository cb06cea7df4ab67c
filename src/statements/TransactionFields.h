// The reader's free functions on the fields of a statement line: splitting a
// line at its commas (a double quote switches between outside and inside
// quotes, and quotes are kept), cleaning a field's text in place, and reading
// an amount or a date from it.
#pragma once

#include "text/CString.h"

// Longest field that GetField hands over; longer fields are cut to it.
const int MaxFieldLength = 511;

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

// Normalisers for the texts of a statement line; each changes its text in
// place.
// Removes enclosing double quotes: when the text's first quote is its first
// character and its last quote its last character, the text becomes what lies
// between them. A lone quote becomes the empty text.
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
double ParseAmount(const CString& text);

// The OLE Automation date of a text, at time 0. The text is read day first
// (30/11/2012) and, when that gives nothing or a value below 0.000005, year
// first (2012-11-30). A form is read only when its text has at least three
// parts, each beginning with a digit (the first may have one double quote
// before it), that name a real calendar date; the platform's rolling over
// of missing or impossible parts is never accepted. A text that neither form
// reads gives 0.0.
double ParseDate(const CString& text);
