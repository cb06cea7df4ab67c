// COM started on this thread, in a single-threaded apartment, for the life
// of the scope; with Ole, OLE as well (the clipboard, drag and drop), as the
// host's thread and the component's dialogs have it. What the start began
// is undone at the end, also when COM was already started on the thread
// (S_FALSE); a start that failed is left alone.
#pragma once

#include <windows.h>
#include <ole2.h>

class ComScope
{
public:
    enum Kind
    {
        Com,
        Ole
    };

    explicit ComScope(Kind kind = Com)
        : m_kind(kind), m_result(kind == Ole ? OleInitialize(nullptr) : CoInitialize(nullptr))
    {
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    ~ComScope()
    {
        if (FAILED(m_result))
            return;
        if (m_kind == Ole)
            OleUninitialize();
        else
            CoUninitialize();
    }

private:
    Kind m_kind;
    HRESULT m_result;
};
