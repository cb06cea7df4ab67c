#include "statements/TextCleaning.h"

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <memory>

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
