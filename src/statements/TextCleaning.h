// Normalisers for the texts of a statement line; each changes its text in
// place.
#pragma once

#include "text/CString.h"

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
