// The module's narrow (ANSI code page) string. Lengths and positions count
// bytes. It keeps its length and the room its buffer has: an assignment that
// fits keeps the buffer, and appending grows the room ahead of the text, so
// neither rescans nor reallocates every time. Misuse and exhaustion are
// thrown as HRESULT codes.
#pragma once

#include <windows.h>
#include <oleauto.h>

class CString
{
public:
    CString() = default;
    CString(const CString& other);
    CString(const char* text);
    CString(const wchar_t* text);
    virtual ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator=(const wchar_t* text);

    int GetLength() const { return m_length; }
    const char* GetString() const;
    char GetAt(int position) const;

    int Find(char ch) const;
    int ReverseFind(char ch) const;
    int Compare(const char* text) const;

    CString Left(int count) const;
    CString Mid(int start, int count) const;

    // The first `length` bytes of `text` (which hold no NUL); the text may lie
    // in this string's own buffer.
    void Assign(const char* text, int length);
    // The empty text; the buffer is kept.
    void Empty();

    CString& Append(const CString& other);
    CString& Append(const char* text);
    CString& Append(const wchar_t* text);

    bool LoadString(HINSTANCE instance, UINT id);
    void Format(const char* format, ...);

    // A new BSTR of the text, or null when it cannot be allocated.
    BSTR AllocSysString() const;

    // Appends the first `length` bytes of `text` (which hold no NUL).
    void AppendBytes(const char* text, int length);

private:
    void AssignWide(const wchar_t* text);
    void AppendWide(const wchar_t* text);
    // A buffer for `count` characters and the NUL.
    char* NewBuffer(unsigned long count);
    // Memory ran out: the string is left empty, and E_OUTOFMEMORY thrown.
    [[noreturn]] void FailOutOfMemory();
    void Free();

    char* m_buffer = nullptr;
    // Characters the buffer holds besides its terminating NUL.
    unsigned long m_capacity = 0;
    int m_length = 0;
};

bool operator==(const CString& left, const CString& right);
bool operator!=(const CString& left, const CString& right);
CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
