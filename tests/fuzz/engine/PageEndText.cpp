#include "engine/PageEndText.h"

#include <windows.h>
#include <string.h>

#include <stdexcept>

namespace
{
// One guarded page at a time: the drivers run on one thread.
char* volatile g_guard = nullptr;
size_t g_pageSize = 0;
volatile LONG g_touched = PageEndText::Untouched;

LONG WINAPI OnGuardTouched(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    char* const guard = g_guard;
    if (record->ExceptionCode != EXCEPTION_ACCESS_VIOLATION || record->NumberParameters < 2 || !guard)
        return EXCEPTION_CONTINUE_SEARCH;
    const char* address = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
    if (address < guard || address >= guard + g_pageSize)
        return EXCEPTION_CONTINUE_SEARCH;
    DWORD previous;
    if (!VirtualProtect(guard, g_pageSize, PAGE_READWRITE, &previous))
        return EXCEPTION_CONTINUE_SEARCH;
    const LONG touch = record->ExceptionInformation[0] == 1 ? PageEndText::Written : PageEndText::Read;
    if (touch > g_touched)
        g_touched = touch;
    return EXCEPTION_CONTINUE_EXECUTION;
}
}

PageEndText::PageEndText(size_t capacity)
{
    SYSTEM_INFO system;
    GetSystemInfo(&system);
    g_pageSize = system.dwPageSize;
    const size_t dataPages = (capacity + 1 + g_pageSize - 1) / g_pageSize;
    m_capacity = dataPages * g_pageSize - 1;
    m_memory = static_cast<char*>(
        VirtualAlloc(nullptr, (dataPages + 1) * g_pageSize, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
    if (!m_memory)
        throw std::runtime_error("no memory for a page-end text");
    m_guard = m_memory + dataPages * g_pageSize;
    DWORD previous;
    VirtualProtect(m_guard, g_pageSize, PAGE_NOACCESS, &previous);
    g_guard = m_guard;
    m_handler = AddVectoredExceptionHandler(1, OnGuardTouched);
}

PageEndText::~PageEndText()
{
    if (m_handler)
        RemoveVectoredExceptionHandler(m_handler);
    g_guard = nullptr;
    VirtualFree(m_memory, 0, MEM_RELEASE);
}

char* PageEndText::Place(const char* text, size_t length)
{
    if (length > m_capacity)
        length = m_capacity;
    char* placed = m_guard - 1 - length;
    memcpy(placed, text, length);
    placed[length] = '\0';
    return placed;
}

PageEndText::Touch PageEndText::PastEnd()
{
    const LONG touch = InterlockedExchange(&g_touched, Untouched);
    if (touch == Untouched)
        return Untouched;
    memset(m_guard, 0, g_pageSize);
    DWORD previous;
    VirtualProtect(m_guard, g_pageSize, PAGE_NOACCESS, &previous);
    return static_cast<Touch>(touch);
}
