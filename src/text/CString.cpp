#include "text/CString.h"

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>

namespace
{
const int FormatBufferSize = 256;

const char* RequireText(const char* text)
{
    if (!text)
        throw E_INVALIDARG;
    return text;
}
}

CString::CString(const CString& other)
{
    if (other.m_length > 0)
        Assign(other.m_buffer, other.m_length);
}

CString::CString(const char* text)
{
    RequireText(text);
    const int length = lstrlenA(text);
    if (length > 0)
        Assign(text, length);
}

CString::CString(const wchar_t* text)
{
    AssignWide(text);
}

CString::~CString()
{
    Free();
}

CString& CString::operator=(const CString& other)
{
    Assign(other.GetString(), other.GetLength());
    return *this;
}

CString& CString::operator=(const char* text)
{
    RequireText(text);
    Assign(text, lstrlenA(text));
    return *this;
}

CString& CString::operator=(const wchar_t* text)
{
    AssignWide(text);
    return *this;
}

char* CString::NewBuffer(unsigned long count)
{
    char* buffer = static_cast<char*>(malloc(count + 1));
    if (!buffer)
        FailOutOfMemory();
    return buffer;
}

void CString::FailOutOfMemory()
{
    Free();
    throw E_OUTOFMEMORY;
}

void CString::Empty()
{
    if (m_buffer)
        m_buffer[0] = '\0';
    m_length = 0;
}

void CString::Free()
{
    if (m_buffer)
        free(m_buffer);
    m_buffer = nullptr;
    m_capacity = 0;
    m_length = 0;
}

namespace
{
// Texts are mostly short: copied in place, a text costs less than a call into
// the runtime would. Copying forwards is right also when the source lies
// further on in the same buffer.
void CopyChars(char* to, const char* from, int count)
{
    const int ShortText = 64;
    if (count > ShortText)
    {
        memmove(to, from, count);
        return;
    }
    for (int index = 0; index < count; ++index)
        to[index] = from[index];
}
}

// The text may lie inside this string's own buffer: it is moved, or copied
// into the new buffer before the old one is freed.
void CString::Assign(const char* text, int length)
{
    if (m_capacity >= static_cast<unsigned long>(length))
    {
        CopyChars(m_buffer, text, length);
        if (m_buffer)
            m_buffer[length] = '\0';
        m_length = length;
        return;
    }
    char* buffer = NewBuffer(length);
    memcpy(buffer, text, length);
    buffer[length] = '\0';
    free(m_buffer);
    m_buffer = buffer;
    m_capacity = length;
    m_length = length;
}

// Room grows to at least twice what it was, so a text built by appending is
// copied a few times, not once per append.
void CString::AppendBytes(const char* text, int length)
{
    if (length <= 0)
        return;
    const unsigned long total = static_cast<unsigned long>(m_length) + length;
    if (m_capacity >= total)
    {
        // What is appended never lies after where it goes.
        CopyChars(m_buffer + m_length, text, length);
        m_buffer[total] = '\0';
        m_length = static_cast<int>(total);
        return;
    }
    const unsigned long room = total > m_capacity * 2 ? total : m_capacity * 2;
    char* buffer = NewBuffer(room);
    if (m_length > 0)
        memcpy(buffer, m_buffer, m_length);
    memcpy(buffer + m_length, text, length);
    buffer[total] = '\0';
    free(m_buffer);
    m_buffer = buffer;
    m_capacity = room;
    m_length = static_cast<int>(total);
}

namespace
{
struct FreeChars
{
    void operator()(char* chars) const { free(chars); }
};
using HeapChars = std::unique_ptr<char, FreeChars>;

// Converts with the ANSI code page into a heap buffer sized for the whole
// text, also where a character needs more than one byte; empty for an
// empty text, and when memory runs out (`failed` then set).
HeapChars NarrowCopy(const wchar_t* text, int* length, bool* failed)
{
    *length = 0;
    *failed = false;
    const int wideLength = text ? lstrlenW(text) : 0;
    if (wideLength == 0)
        return HeapChars();
    const int needed = WideCharToMultiByte(CP_ACP, 0, text, wideLength, nullptr, 0, nullptr, nullptr);
    HeapChars narrow(static_cast<char*>(malloc((needed > 0 ? needed : 0) + 1)));
    *failed = !narrow;
    if (!narrow)
        return narrow;
    char* chars = narrow.get();
    const int written = needed > 0
        ? WideCharToMultiByte(CP_ACP, 0, text, wideLength, chars, needed, nullptr, nullptr)
        : 0;
    chars[written] = '\0';
    // A NUL cannot stand inside a text; what follows one is dropped.
    *length = lstrlenA(chars);
    return narrow;
}

const char* CharsOf(const HeapChars& chars)
{
    return chars ? chars.get() : "";
}
}

void CString::AssignWide(const wchar_t* text)
{
    int length = 0;
    bool failed = false;
    const HeapChars narrow = NarrowCopy(text, &length, &failed);
    if (failed)
        FailOutOfMemory();
    Assign(CharsOf(narrow), length);
}

void CString::AppendWide(const wchar_t* text)
{
    int length = 0;
    bool failed = false;
    const HeapChars narrow = NarrowCopy(text, &length, &failed);
    if (failed)
        FailOutOfMemory();
    AppendBytes(CharsOf(narrow), length);
}

const char* CString::GetString() const
{
    return m_buffer ? m_buffer : "";
}

char CString::GetAt(int position) const
{
    if (position < 0 || position >= GetLength())
        throw E_INVALIDARG;
    return m_buffer[position];
}

int CString::Find(char ch) const
{
    if (GetLength() == 0)
        return -1;
    // Byte-wise: a search in the runtime's multibyte rules reads past the
    // end of a text that ends in a lead byte of a double-byte code page.
    const char* found = strchr(m_buffer, ch);
    return found ? static_cast<int>(found - m_buffer) : -1;
}

int CString::ReverseFind(char ch) const
{
    if (GetLength() == 0)
        return -1;
    const char* found = strrchr(m_buffer, ch);
    return found ? static_cast<int>(found - m_buffer) : -1;
}

int CString::Compare(const char* text) const
{
    RequireText(text);
    return strcmp(GetString(), text);
}

CString CString::Left(int count) const
{
    const int length = GetLength();
    if (count > length)
        count = length;
    CString result;
    if (count > 0)
        result.Assign(m_buffer, count);
    return result;
}

// A start beyond the text or a negative count gives the empty text.
CString CString::Mid(int start, int count) const
{
    const int length = GetLength();
    if (start < 0)
        start = 0;
    CString result;
    if (count <= 0 || start >= length)
        return result;
    if (count > length - start)
        count = length - start;
    result.Assign(m_buffer + start, count);
    return result;
}

CString& CString::Append(const CString& other)
{
    AppendBytes(other.GetString(), other.GetLength());
    return *this;
}

CString& CString::Append(const char* text)
{
    RequireText(text);
    AppendBytes(text, lstrlenA(text));
    return *this;
}

CString& CString::Append(const wchar_t* text)
{
    if (!text)
        throw E_INVALIDARG;
    AppendWide(text);
    return *this;
}

bool CString::LoadString(HINSTANCE instance, UINT id)
{
    char buffer[FormatBufferSize] = {};
    ::LoadStringA(instance, id, buffer, FormatBufferSize);
    *this = buffer;
    return GetLength() > 0;
}

// Formats into a 256-byte buffer; a longer result is cut to 255 characters.
void CString::Format(const char* format, ...)
{
    RequireText(format);
    char buffer[FormatBufferSize];
    va_list args;
    va_start(args, format);
    const int written = vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (written < 0)
        buffer[0] = '\0';
    buffer[FormatBufferSize - 1] = '\0';
    *this = buffer;
}

BSTR CString::AllocSysString() const
{
    const int length = GetLength();
    if (length == 0)
        return SysAllocStringLen(L"", 0);
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, m_buffer, length, nullptr, 0);
    BSTR result = SysAllocStringLen(nullptr, wideLength);
    if (!result)
        return nullptr;
    MultiByteToWideChar(CP_ACP, 0, m_buffer, length, result, wideLength);
    return result;
}

bool operator==(const CString& left, const CString& right)
{
    return left.Compare(right.GetString()) == 0;
}

bool operator!=(const CString& left, const CString& right)
{
    return !(left == right);
}

CString operator+(const CString& left, const CString& right)
{
    CString result(left);
    result.Append(right);
    return result;
}

CString operator+(const CString& left, const char* right)
{
    CString result(left);
    result.Append(right);
    return result;
}
