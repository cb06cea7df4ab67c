// Watches the windows that a host call opens on this thread, whoever
// answers them (the person at the display or the robot): every message box
// in the order it appears, and the file the save dialog held when it
// closed. A thread hook (WH_CBT) sees each window as it is activated and
// before it is destroyed, so nothing is polled and nothing is missed.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

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
    // The full path in the save dialog when it last closed, whether saved
    // or cancelled; empty when none was shown.
    const std::string& SaveDialogPath() const { return m_savePath; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    void Activated(HWND window);
    void Destroying(HWND window);

    HHOOK m_hook = nullptr;
    std::vector<HWND> m_openBoxes;
    std::vector<MessageBoxContent> m_boxes;
    std::string m_savePath;
};
