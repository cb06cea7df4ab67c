// Collects what code of this process writes with OutputDebugStringA while
// the object lives, as a debugger-output viewer shows it: each text with the
// time it was written. The platform raises every such text as a
// DBG_PRINTEXCEPTION_C exception, which a first vectored exception handler
// sees before the text goes on to any debugger, so no debugger is needed.
// One capture at a time; texts from any thread of the process are kept.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

struct DebugText
{
    SYSTEMTIME time;   // local time
    std::string text;  // as written (ANSI code page), without its NUL
};

class DebugOutputCapture
{
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // The texts in the order written, one per call.
    std::vector<std::string> Texts() const;
    std::vector<DebugText> Entries() const;

private:
    void* m_handler;
};

// One line for a log: "YYYY-MM-DD HH:MM:SS.mmm  TEXT", the text's line ends
// at its end dropped and any inside written as \r and \n.
std::string DebugLogLine(const DebugText& entry);
