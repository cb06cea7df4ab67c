// Drives the component's payment processing dialog as a user would, from a
// thread of its own while the dialog runs modally on the caller's thread:
// finds it, picks a format, types the template and beneficiary reference,
// marks IATs, changes the date, reads what it shows, and confirms or
// cancels it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "com/PaymentTypes.h"
#include "robot/ControlRobot.h"

class PaymentDialogRobot
{
public:
    static const char* const Caption;

    // Waits for the dialog to appear; false on timeout.
    bool WaitForDialog(DWORD timeoutMs = 10000);
    HWND Dialog() const { return m_dialog; }

    // Clicks the format's radio button.
    bool ChooseFormat(PaymentFormat format);
    bool TypeTemplate(const std::string& text, bool replace = true);
    bool TypeBenRef(const std::string& text, bool replace = true);
    // Clicks the IAT check box (ticks or unticks it).
    bool ClickIatBox();
    bool SelectRows(const std::vector<int>& rows);
    bool PressSet();
    bool PressReset();
    bool SetProcessingDate(WORD year, WORD month, WORD day);
    bool SetProcessingDate(DATE date);
    // The processing date the picker shows, day only (00:00).
    DATE ShownDate() const;

    std::vector<std::vector<std::string>> Rows() const;
    ControlState Control(int id) const;

    // Posted: OK and Cancel may open a message box owned by the dialog.
    bool PressOk();
    bool PressCancel();
    // A message box of the dialog's, once one is visible; null on timeout.
    HWND WaitForMessage(DWORD timeoutMs = 10000) const;
    bool WaitUntilClosed(DWORD timeoutMs = 10000) const;

    // Closes the dialog whatever state it is in: answers its message boxes,
    // cancels it and confirms dropping the changes.
    void CloseByForce();

    bool SavePicture(const std::string& path) const;

private:
    HWND m_dialog = nullptr;
};
