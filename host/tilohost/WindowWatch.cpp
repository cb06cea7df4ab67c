#include "tilohost/WindowWatch.h"

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
    m_hook.Reset(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId()));
    m_callHook.Reset(SetWindowsHookExA(WH_CALLWNDPROC, CallHook, nullptr, GetCurrentThreadId()));
    m_messageHook.Reset(SetWindowsHookExA(WH_GETMESSAGE, MessageHook, nullptr, GetCurrentThreadId()));
}

WindowWatch::~WindowWatch()
{
    m_hook.Reset();
    m_callHook.Reset();
    m_messageHook.Reset();
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

// Save pressed reaches the dialog as WM_COMMAND with IDOK, before the
// dialog checks the name and closes: sent by a click or the Enter key,
// posted by the robot.
LRESULT CALLBACK WindowWatch::CallHook(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (g_watch && code == HC_ACTION)
        g_watch->Command(call->hwnd, call->message, call->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WindowWatch::MessageHook(int code, WPARAM wParam, LPARAM lParam)
{
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (g_watch && code == HC_ACTION && wParam == PM_REMOVE)
        g_watch->Command(message->hwnd, message->message, message->wParam);
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
}

// Read while the dialog still holds its folder: once it has accepted the
// name it lets the folder go, before it is destroyed.
void WindowWatch::Command(HWND dialog, UINT message, WPARAM wParam)
{
    if (message != WM_COMMAND || LOWORD(wParam) != IDOK || !IsFileDialog(dialog))
        return;
    // The name box may hold a full path or a name in the dialog's folder
    // (CDM_GETFILEPATH joins the two even when the name is a full path).
    char folder[MAX_PATH] = {};
    char name[MAX_PATH] = {};
    if (SendMessageA(dialog, CDM_GETSPEC, sizeof name, reinterpret_cast<LPARAM>(name)) <= 0)
        return;
    SendMessageA(dialog, CDM_GETFOLDERPATH, sizeof folder, reinterpret_cast<LPARAM>(folder));
    char path[MAX_PATH] = {};
    m_savePath = PathIsRelativeA(name) && PathCombineA(path, folder, name) ? path : name;
}
