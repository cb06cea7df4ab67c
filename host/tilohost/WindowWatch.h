// Watches the windows that a host call opens on this thread, whoever
// answers them (the person at the display or the robot): every message box
// in the order it appears, and the file the save dialog held when Save was
// pressed. A thread hook sees each window as it is activated and before it
// is destroyed (WH_CBT); the save dialog, subclassed when it is activated,
// shows its commands as they arrive, sent or posted. Nothing is polled and
// nothing is missed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "com/ComHolders.h"
#include "robot/WindowRobot.h"

class WindowWatch
{
public:
    // Starts watching this thread; one watch at a time.
    WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;
    ~WindowWatch();

    // Texts as the boxes show them (ANSI code page).
    const std::vector<MessageBoxContent>& MessageBoxes() const { return m_boxes; }
    // The full path in the save dialog when Save was last pressed; empty
    // when it never was.
    const std::string& SaveDialogPath() const { return m_savePath; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK SaveDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR);
    void Activated(HWND window);
    void Destroying(HWND window);
    // Save pressed: WM_COMMAND with IDOK to a file dialog.
    void Command(HWND window, UINT message, WPARAM wParam);

    WindowsHook m_hook;
    std::vector<HWND> m_openBoxes;
    std::vector<MessageBoxContent> m_boxes;
    std::string m_savePath;
};
