// A text placed at the very end of usable memory: the page after its NUL
// may be neither read nor written. A function that reads or writes past the
// text's end touches that page; the fault is caught, the page is opened (it
// holds only NULs, so the function stops there and returns), and the touch
// is reported. Going past a text's end inside a larger buffer goes unseen;
// here it cannot.
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

    enum Touch
    {
        Untouched,
        Read,
        Written,
    };

    // How the page after the placed text was touched since it was placed;
    // the page is emptied and closed again.
    Touch PastEnd();

private:
    char* m_memory = nullptr;
    char* m_guard = nullptr;
    size_t m_capacity = 0;
    void* m_handler = nullptr;
};
