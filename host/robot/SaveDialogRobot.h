// Drives the system's save dialog of this process as a user would, from a
// thread of its own while the dialog runs modally on another: finds it,
// reads what it offers, types a file name and saves (answering the question
// whether to replace an existing file), or cancels it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "robot/ControlRobot.h"

// True when the window is a save (or open) dialog: a dialog with the file
// name box and the file type box.
bool IsFileDialog(HWND window);

class SaveDialogRobot
{
public:
    // Waits for a file dialog of this process; false on timeout.
    bool WaitForDialog(DWORD timeoutMs = 10000);
    // Takes a dialog found by other means.
    void Attach(HWND dialog) { m_dialog = dialog; }
    HWND Dialog() const { return m_dialog; }
    HWND Owner() const;

    // The file name the dialog offers.
    std::string FileName() const;
    // The descriptions in the file type box, in order.
    std::vector<std::string> FileTypes() const;

    // Types `path` into the name box and presses Save. If the dialog asks
    // whether to replace an existing file, answers Yes when `replace`, else
    // No. True when the dialog has closed; false when it stays open (the
    // question answered No, or a message of the dialog's answered OK).
    bool Save(const std::string& path, bool replace = true);
    // The message boxes of the dialog's that the last Save answered.
    const std::vector<SeenMessageBox>& Questions() const { return m_questions; }

    bool Cancel();
    bool WaitUntilClosed(DWORD timeoutMs = 10000) const;

private:
    HWND m_dialog = nullptr;
    std::vector<SeenMessageBox> m_questions;
};
