// Splitting a statement line into its comma-separated fields. A double quote
// switches between outside and inside quotes; a separator inside quotes does
// not separate, and quotes are kept as they stand.
#pragma once

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
