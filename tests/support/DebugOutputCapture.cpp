#include "support/DebugOutputCapture.h"

namespace
{
std::vector<std::string> g_texts;

LONG CALLBACK CollectDebugText(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    // The parameters are the text's length with its NUL, and the text.
    if (record->ExceptionCode == DBG_PRINTEXCEPTION_C && record->NumberParameters >= 2)
    {
        const char* text = reinterpret_cast<const char*>(record->ExceptionInformation[1]);
        const size_t length = record->ExceptionInformation[0];
        g_texts.emplace_back(text, length > 0 ? length - 1 : 0);
    }
    return EXCEPTION_CONTINUE_SEARCH;
}
}

DebugOutputCapture::DebugOutputCapture()
{
    g_texts.clear();
    m_handler = AddVectoredExceptionHandler(1, CollectDebugText);
}

DebugOutputCapture::~DebugOutputCapture()
{
    RemoveVectoredExceptionHandler(m_handler);
}

const std::vector<std::string>& DebugOutputCapture::Texts() const
{
    return g_texts;
}
