// Works the controls of a dialog of this process as a user would: clicks,
// keystrokes, list selections, date changes. Every action is refused (false)
// when the control is missing, hidden or disabled, as it would be for a user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "robot/MessageBoxAnswerer.h"
#include "robot/WindowRobot.h"

struct ControlState
{
    bool exists = false;
    std::string text;
    bool visible = false;
    bool enabled = false;
    bool checked = false;  // check boxes and radio buttons
};

ControlState ReadControl(HWND dialog, int id);

// Clicks a button (BM_CLICK): a check box or radio button changes its state
// and the dialog gets WM_COMMAND. Returns when the dialog has handled it.
bool ClickButton(HWND dialog, int id);

// The same click, posted: for buttons whose handler may open a modal window
// (a message box), which would otherwise block the robot.
bool PostClickButton(HWND dialog, int id);

// Types the text as keystrokes (WM_CHAR), so the control's own limits apply.
// With `replace`, what the box holds is selected first and typed over.
bool TypeText(HWND dialog, int id, const std::string& text, bool replace = true);

// The texts of every row of a report-view list, column by column.
std::vector<std::vector<std::string>> ReadListRows(HWND list);

// Selects exactly these rows (0-based) of a list.
bool SelectListRows(HWND list, const std::vector<int>& rows);

// Changes a date-time picker to the day given (its time of day kept); the
// picker's parent gets the DTN_DATETIMECHANGE notification that a change by
// hand gives.
bool SetPickerDate(HWND dialog, int id, WORD year, WORD month, WORD day);

// The date a picker shows; false when it has none.
bool ReadPickerDate(HWND dialog, int id, SYSTEMTIME& date);

// A standard message box owned by `owner`, once one is visible; null on
// timeout.
HWND WaitForMessageBox(HWND owner, DWORD timeoutMs = 10000);

// Reads the box and presses one of its buttons (IDOK, IDYES, IDNO, ...);
// returns when the box is gone.
SeenMessageBox AnswerMessageBox(HWND box, int button);
