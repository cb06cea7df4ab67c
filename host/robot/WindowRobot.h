// Drives real windows of this process as a user would: finds a window as it
// appears, reads message boxes, presses buttons. The robot runs on its own
// thread while the thread under test sits in a modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

// A visible top-level window of this process whose caption is exactly
// `caption` (any caption when null) and whose class is `className` (any
// when null); null when none appears within the timeout.
HWND WaitForWindow(const char* caption, const char* className = nullptr, DWORD timeoutMs = 10000);

// A visible top-level window of this process for which `match` is true;
// null when none appears within the timeout.
HWND WaitForWindowMatching(const std::function<bool(HWND)>& match, DWORD timeoutMs = 10000);

// Like WaitForWindow, but any window other than `except`.
HWND WaitForOtherWindow(HWND except, DWORD timeoutMs = 10000);

// Waits until the window is gone; false on timeout.
bool WaitForWindowGone(HWND window, DWORD timeoutMs = 10000);

std::string WindowText(HWND window);
std::string ClassNameOf(HWND window);

struct MessageBoxContent
{
    std::string caption;
    std::string text;
};

// The caption and text of a standard message box.
MessageBoxContent ReadMessageBox(HWND box);

// True when the window is a standard message box (a dialog with the text
// control 0xFFFF).
bool IsMessageBox(HWND window);

// Presses a button of a dialog as a click would: the dialog receives
// WM_COMMAND with BN_CLICKED from the button. Posted, so a handler that
// opens its own modal window does not block the robot.
void PressButton(HWND dialog, int id);

// Runs `script` on its own thread for the length of a scope; the destructor
// waits for it.
class RobotThread
{
public:
    explicit RobotThread(std::function<void()> script);
    RobotThread(const RobotThread&) = delete;
    RobotThread& operator=(const RobotThread&) = delete;
    ~RobotThread();

private:
    std::thread m_thread;
};
