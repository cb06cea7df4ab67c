#include "robot/ControlRobot.h"

#include <commctrl.h>

namespace
{
HWND UsableControl(HWND dialog, int id)
{
    const HWND control = GetDlgItem(dialog, id);
    if (!control || !IsWindowVisible(control) || !IsWindowEnabled(control))
        return nullptr;
    return control;
}
}

ControlState ReadControl(HWND dialog, int id)
{
    ControlState state;
    const HWND control = GetDlgItem(dialog, id);
    if (!control)
        return state;
    state.exists = true;
    state.text = WindowText(control);
    state.visible = IsWindowVisible(control) != FALSE;
    state.enabled = IsWindowEnabled(control) != FALSE;
    if (ClassNameOf(control) == "Button")
        state.checked = SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return state;
}

bool ClickButton(HWND dialog, int id)
{
    const HWND button = UsableControl(dialog, id);
    if (!button)
        return false;
    SendMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool PostClickButton(HWND dialog, int id)
{
    const HWND button = UsableControl(dialog, id);
    if (!button)
        return false;
    PostMessageA(button, BM_CLICK, 0, 0);
    return true;
}

bool TypeText(HWND dialog, int id, const std::string& text, bool replace)
{
    const HWND box = UsableControl(dialog, id);
    if (!box)
        return false;
    if (replace)
        SendMessageA(box, EM_SETSEL, 0, -1);
    else
        SendMessageA(box, EM_SETSEL, -1, -1);
    for (unsigned char ch : text)
        SendMessageA(box, WM_CHAR, ch, 1);
    return true;
}

std::vector<std::vector<std::string>> ReadListRows(HWND list)
{
    std::vector<std::vector<std::string>> rows;
    const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row)
    {
        std::vector<std::string> texts;
        for (int column = 0; column < columns; ++column)
        {
            char text[1024] = {};
            LVITEMA item = {};
            item.iSubItem = column;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
            texts.push_back(text);
        }
        rows.push_back(texts);
    }
    return rows;
}

bool SelectListRows(HWND list, const std::vector<int>& rows)
{
    if (!list || !IsWindowVisible(list) || !IsWindowEnabled(list))
        return false;
    LVITEMA item = {};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (int row : rows)
        SendMessageA(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
    return true;
}

bool SetPickerDate(HWND dialog, int id, WORD year, WORD month, WORD day)
{
    const HWND picker = UsableControl(dialog, id);
    if (!picker)
        return false;
    SYSTEMTIME date = {};
    SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date));
    date.wYear = year;
    date.wMonth = month;
    date.wDay = day;
    if (!SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&date)))
        return false;

    NMDATETIMECHANGE change = {};
    change.nmhdr.hwndFrom = picker;
    change.nmhdr.idFrom = static_cast<UINT_PTR>(id);
    change.nmhdr.code = DTN_DATETIMECHANGE;
    change.dwFlags = static_cast<DWORD>(SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&change.st)));
    SendMessageA(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, reinterpret_cast<LPARAM>(&change));
    return true;
}

bool ReadPickerDate(HWND dialog, int id, SYSTEMTIME& date)
{
    const HWND picker = GetDlgItem(dialog, id);
    return picker && SendMessageA(picker, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&date)) == GDT_VALID;
}

HWND WaitForMessageBox(HWND owner, DWORD timeoutMs)
{
    return WaitForWindowMatching(
        [owner](HWND window) { return GetWindow(window, GW_OWNER) == owner && IsMessageBox(window); }, timeoutMs);
}

SeenMessageBox AnswerMessageBox(HWND box, int button)
{
    const SeenMessageBox content = InspectMessageBox(box);
    PressButton(box, button);
    WaitForWindowGone(box);
    return content;
}
