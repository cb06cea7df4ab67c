#include "tilohost/WindowWatch.h"

#include <commctrl.h>
#include <commdlg.h>
#include <shlwapi.h>

#include <algorithm>

#include "robot/SaveDialogRobot.h"

namespace
{
WindowWatch* g_watch = nullptr;
const UINT_PTR SaveDialogSubclass = 1;
}

WindowWatch::WindowWatch()
{
    g_watch = this;
    m_hook.Reset(SetWindowsHookExA(WH_CBT, Hook, nullptr, GetCurrentThreadId()));
}

WindowWatch::~WindowWatch()
{
    m_hook.Reset();
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
// posted by the robot. Only the save dialog's own messages pass here: a hook
// on every message of the thread would also see each of the thousands that
// fill the payment dialog's list.
LRESULT CALLBACK WindowWatch::SaveDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR)
{
    if (g_watch)
        g_watch->Command(window, message, wParam);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(window, SaveDialogProc, SaveDialogSubclass);
    return DefSubclassProc(window, message, wParam, lParam);
}

// A box is activated once it has its texts; it may be activated again when
// the focus comes back to it, but is recorded once.
void WindowWatch::Activated(HWND window)
{
    // Subclassing it again when it is activated again changes nothing.
    if (IsFileDialog(window))
        SetWindowSubclass(window, SaveDialogProc, SaveDialogSubclass, 0);
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
