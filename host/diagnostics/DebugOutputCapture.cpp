#include "diagnostics/DebugOutputCapture.h"

#include <cstdio>
#include <mutex>

namespace
{
std::mutex g_lock;
std::vector<DebugText> g_entries;

LONG CALLBACK CollectDebugText(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    // The parameters are the text's length with its NUL, and the text.
    if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2)
    {
        DebugText entry;
        GetLocalTime(&entry.time);
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        const size_t length = record->ExceptionInformation[0];
        entry.text.assign(text, length > 0 ? length - 1 : 0);
        const std::lock_guard<std::mutex> hold(g_lock);
        g_entries.push_back(std::move(entry));
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
}

DebugOutputCapture::DebugOutputCapture()
{
    {
        const std::lock_guard<std::mutex> hold(g_lock);
        g_entries.clear();
    }
    m_handler = AddVectoredExceptionHandler(1, CollectDebugText);
}

DebugOutputCapture::~DebugOutputCapture()
{
    RemoveVectoredExceptionHandler(m_handler);
}

std::vector<std::string> DebugOutputCapture::Texts() const
{
    std::vector<std::string> texts;
    for (const DebugText& entry : Entries())
        texts.push_back(entry.text);
    return texts;
}

std::vector<DebugText> DebugOutputCapture::Entries() const
{
    const std::lock_guard<std::mutex> hold(g_lock);
    return g_entries;
}

std::string DebugLogLine(const DebugText& entry)
{
    char stamp[32];
    snprintf(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u.%03u  ", entry.time.wYear, entry.time.wMonth,
             entry.time.wDay, entry.time.wHour, entry.time.wMinute, entry.time.wSecond, entry.time.wMilliseconds);
    std::string text = entry.text;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    std::string line = stamp;
    for (char ch : text)
    {
        if (ch == '\r')
            line += "\\r";
        else if (ch == '\n')
            line += "\\n";
        else
            line += ch;
    }
    return line;
}
