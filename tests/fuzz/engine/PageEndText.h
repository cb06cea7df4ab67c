// A text placed at the very end of readable memory: the page after its NUL
// may not be read. A function that reads past the text's end touches that
// page; the fault is caught, the page is opened (it holds only NULs, so the
// function stops there and returns), and the read is reported. Reads past a
// text's end inside a larger buffer go unseen; here they cannot.
#pragma once

#include <stddef.h>

class PageEndText
{
public:
    // Room for texts of up to `capacity` bytes.
    explicit PageEndText(size_t capacity);
    PageEndText(const PageEndText&) = delete;
    PageEndText& operator=(const PageEndText&) = delete;
    ~PageEndText();

    // Copies the text (cut to the capacity) so that its NUL is the last
    // readable byte; gives where it now lies.
    char* Place(const char* text, size_t length);

    // True when something read past the placed text since it was placed;
    // the page is closed again.
    bool ReadPastEnd();

private:
    char* m_memory = nullptr;
    char* m_guard = nullptr;
    size_t m_capacity = 0;
    void* m_handler = nullptr;
};
