// Normalisers of the texts read from the host's payments: every value is
// turned into 8-bit text, reduced and checked with these before it reaches
// the payment file or the payment dialog. They behave the same under every
// code page and locale. The values of a payment line are short, so they are
// built in place, in a CFieldText, without taking memory from the heap.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "text/CString.h"

// A short text held in place: at most Capacity characters, NUL-terminated;
// what would pass the capacity is dropped.
class CFieldText
{
public:
    static const int Capacity = 255;

    CFieldText() { m_text[0] = '\0'; }
    explicit CFieldText(const char* text) : CFieldText() { Append(text, lstrlenA(text)); }

    const char* GetString() const { return m_text; }
    int GetLength() const { return m_length; }

    void Append(char ch)
    {
        if (m_length == Capacity)
            return;
        m_text[m_length++] = ch;
        m_text[m_length] = '\0';
    }
    void Append(const char* text, int length);
    void Append(const CFieldText& text) { Append(text.GetString(), text.GetLength()); }

    // Keeps the first `length` characters; a shorter text is left whole.
    void Cut(int length);

private:
    char m_text[Capacity + 1];
    int m_length = 0;
};

// A character U+0001..U+00FF becomes the byte of the same value; the text ends
// before the first character above U+00FF, before a NUL and after its 255th
// character. A null BSTR is the empty text.
CFieldText ToAnsiText(BSTR text);

// ToAnsiText with every character but '0'..'9' dropped.
CFieldText DigitsOf(BSTR text);

// '0' to '9' only, whatever the locale.
bool IsDigit(char ch);

// Keeps letters A-Z (upper-cased), digits, space, '&', '-', '.' and '/';
// drops everything else (commas, quotes, letters beyond ASCII, controls).
CString CleanText(const CString& text);
// The first `width` characters (at most 255) that CleanText keeps of the
// first `length` characters of `text`.
CFieldText CleanText(const char* text, int length, int width);

// True when every character is '0'..'9' (so also for the empty text).
bool IsAllDigits(const char* text);

// The calendar day of an OLE Automation date as DDMMYYYY; the time of day is
// ignored. A date the system cannot convert gives "00000000".
CFieldText FormatProcessingDate(DATE date);

// Passes a text through a per-character rule: the one loop behind the
// normalisers that drop or change characters. keep(ch) gives the character to
// write in place of ch, or '\0' to drop it.
template <class Keep>
CString FilteredText(const CString& text, Keep keep)
{
    // Kept characters gather in a chunk that is appended whenever it is full,
    // so a text of any length is filtered without one reallocation per
    // character.
    const int ChunkSize = 255;
    CString result;
    char chunk[ChunkSize];
    int used = 0;
    for (const char* source = text.GetString(); *source; ++source)
    {
        const char kept = keep(*source);
        if (kept == '\0')
            continue;
        chunk[used++] = kept;
        if (used == ChunkSize)
        {
            result.AppendBytes(chunk, used);
            used = 0;
        }
    }
    result.AppendBytes(chunk, used);
    return result;
}
