// Normalisers of the texts read from the host's payments: every value is
// turned into 8-bit text, reduced and checked with these before it reaches
// the payment file or the payment dialog. They behave the same under every
// code page and locale.
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

// Passes a text through a per-character rule: the one loop behind the
// normalisers that drop or change characters.
// keep(ch) gives the character to write in place of ch, or '\0' to drop it.
// Kept characters gather in a chunk that is appended whenever it is full, so
// a text of any length is filtered without one reallocation per character.
template <class Keep>
CString FilteredText(const CString& text, Keep keep)
{
    const int ChunkSize = 255;
    CString result;
    char chunk[ChunkSize + 1];
    int used = 0;
    for (const char* source = text.GetString(); *source; ++source)
    {
        const char kept = keep(*source);
        if (kept == '\0')
            continue;
        chunk[used++] = kept;
        if (used == ChunkSize)
        {
            chunk[used] = '\0';
            result.Append(chunk);
            used = 0;
        }
    }
    chunk[used] = '\0';
    result.Append(chunk);
    return result;
}
