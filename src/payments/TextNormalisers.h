// Normalisers of the texts read from the host's payments: every value is
// turned into 8-bit text, reduced and checked with these before it reaches
// the payment file. They behave the same under every code page and locale.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "text/CString.h"

// A character U+0001..U+00FF becomes the byte of the same value; the text ends
// before the first character above U+00FF, before a NUL and after its 255th
// character. A null BSTR is the empty text.
CString ToAnsiText(BSTR text);

// ToAnsiText with every character but '0'..'9' dropped.
CString DigitsOf(BSTR text);

// Keeps letters A-Z (upper-cased), digits, space, '&', '-', '.' and '/';
// drops everything else (commas, quotes, letters beyond ASCII, controls).
CString CleanText(const CString& text);

// True when every character is '0'..'9' (so also for the empty text).
bool IsAllDigits(const CString& text);

// The calendar day of an OLE Automation date as DDMMYYYY; the time of day is
// ignored. A date the system cannot convert gives "00000000".
CString FormatProcessingDate(DATE date);
