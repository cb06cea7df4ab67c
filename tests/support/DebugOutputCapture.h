// Collects what the code under test writes with OutputDebugStringA while the
// object lives. The platform raises every such text as a DBG_PRINTEXCEPTION_C
// exception, which a first vectored exception handler sees before the text
// goes on to any debugger. One capture at a time, on the test thread.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class DebugOutputCapture
{
public:
    DebugOutputCapture();
    ~DebugOutputCapture();
    DebugOutputCapture(const DebugOutputCapture&) = delete;
    DebugOutputCapture& operator=(const DebugOutputCapture&) = delete;

    // The texts in the order written, one per call.
    const std::vector<std::string>& Texts() const;

private:
    void* m_handler;
};
