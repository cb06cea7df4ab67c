#include "WindowWatch.h"

#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>

#include "robot/SaveDialogRobot.h"

namespace
{
WindowWatch* g_watch = nullptr;
}

WindowWatch::WindowWatch()
{
    g_watch = this;
    m_hook = SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId());
}

WindowWatch::~WindowWatch()
{
    if (m_hook)
        UnhookWindowsHookEx(m_hook);
    g_watch = nullptr;
}

LRESULT CALLBACK WindowWatch::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (g_watch && code == HCBT_ACTIVATE)
        g_watch->Activated(reinterpret_cast<HWND>(wParam));
    else if (g_watch && code == HCBT_DESTROYWND)
        g_watch->Destroying(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// A box is activated once it has its texts; it may be activated again when
// the focus comes back to it, but is recorded once.
void WindowWatch::Activated(HWND window)
{
    if (!IsMessageBox(window) || std::find(m_openBoxes.begin(), m_openBoxes.end(), window) != m_openBoxes.end())
        return;
    m_openBoxes.push_back(window);
    m_boxes.push_back(ReadMessageBox(window));
}

void WindowWatch::Destroying(HWND window)
{
    m_openBoxes.erase(std::remove(m_openBoxes.begin(), m_openBoxes.end(), window), m_openBoxes.end());
    if (!IsFileDialog(window))
        return;
    // The name box may hold a full path or a name in the dialog's folder
    // (CDM_GETFILEPATH joins the two even when the name is a full path).
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    if (SendMessageA(window, CDM_GETSPEC, sizeof name, reinterpret_cast<LPARAM>(name)) <= 0)
        return;
    SendMessageA(window, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    char path[MAX_PATH] = {};
    m_savePath = PathIsRelativeA(name) && PathCombineA(path, folder, name) ? path : name;
}
