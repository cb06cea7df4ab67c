// Passes a text through a per-character rule: the one loop behind the
// normalisers that drop or change characters.
#pragma once

#include "text/CString.h"

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
