#include "robot/WindowRobot.h"

#include <vector>

namespace
{
struct Search
{
    const char* caption;
    const char* className;
    HWND except;
    HWND found;
    const std::function<bool(HWND)>* match;
};

BOOL CALLBACK Match(HWND window, LPARAM parameter)
{
    Search* search = reinterpret_cast<Search*>(parameter);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || window == search->except)
        return TRUE;
    if (search->caption && WindowText(window) != search->caption)
        return TRUE;
    if (search->className && ClassNameOf(window) != search->className)
        return TRUE;
    if (search->match && !(*search->match)(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND Find(Search& search, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    for (;;)
    {
        search.found = nullptr;
        EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        if (search.found)
            return search.found;
        if (GetTickCount() - start > timeoutMs)
            return nullptr;
        Sleep(20);
    }
}
}

HWND WaitForWindow(const char* caption, const char* className, DWORD timeoutMs)
{
    Search search = {caption, className, nullptr, nullptr, nullptr};
    return Find(search, timeoutMs);
}

HWND WaitForWindowMatching(const std::function<bool(HWND)>& match, DWORD timeoutMs)
{
    Search search = {nullptr, nullptr, nullptr, nullptr, &match};
    return Find(search, timeoutMs);
}

HWND WaitForOtherWindow(HWND except, DWORD timeoutMs)
{
    Search search = {nullptr, nullptr, except, nullptr, nullptr};
    return Find(search, timeoutMs);
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    while (IsWindow(window) && IsWindowVisible(window))
    {
        if (GetTickCount() - start > timeoutMs)
            return false;
        Sleep(20);
    }
    return true;
}

std::string WindowText(HWND window)
{
    // WM_GETTEXT reaches windows of other threads too.
    const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::vector<char> text(length + 1);
    SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return text.data();
}

std::string ClassNameOf(HWND window)
{
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool IsMessageBox(HWND window)
{
    return ClassNameOf(window) == "#32770" && GetDlgItem(window, 0xFFFF) != nullptr;
}

MessageBoxContent ReadMessageBox(HWND box)
{
    return {WindowText(box), WindowText(GetDlgItem(box, 0xFFFF))};
}

void PressButton(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

RobotThread::RobotThread(std::function<void()> script) : m_thread(std::move(script)) {}

RobotThread::~RobotThread()
{
    if (m_thread.joinable())
        m_thread.join();
}
