#include "robot/SaveDialogRobot.h"

#include <commdlg.h>
#include <dlgs.h>

namespace
{
bool IsOpen(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window);
}
}

bool IsFileDialog(HWND window)
{
    return ClassNameOf(window) == "#32770" && GetDlgItem(window, cmb13) && GetDlgItem(window, cmb1);
}

bool SaveDialogRobot::WaitForDialog(DWORD timeoutMs)
{
    m_dialog = WaitForWindowMatching(IsFileDialog, timeoutMs);
    return m_dialog != nullptr;
}

HWND SaveDialogRobot::Owner() const
{
    return GetWindow(m_dialog, GW_OWNER);
}

std::string SaveDialogRobot::FileName() const
{
    return WindowText(GetDlgItem(m_dialog, cmb13));
}

std::vector<std::string> SaveDialogRobot::FileTypes() const
{
    std::vector<std::string> types;
    const HWND box = GetDlgItem(m_dialog, cmb1);
    const int count = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index)
    {
        const LRESULT length = SendMessageA(box, CB_GETLBTEXTLEN, index, 0);
        if (length < 0)
            continue;
        std::string text(static_cast<size_t>(length) + 1, '\0');
        SendMessageA(box, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        types.push_back(text);
    }
    return types;
}

// The name box is a combo box (cmb13) in the Explorer-style dialog; the
// dialog sets it on request, as a hook procedure would.
bool SaveDialogRobot::Save(const std::string& path, bool replace)
{
    m_questions.clear();
    if (!IsOpen(m_dialog))
        return false;
    SendMessageA(m_dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(path.c_str()));
    // Posted: Save may open a question owned by the dialog.
    PressButton(m_dialog, IDOK);
    const DWORD start = GetTickCount();
    while (IsOpen(m_dialog) && GetTickCount() - start < 10000)
    {
        const HWND box = WaitForMessageBox(m_dialog, 20);
        if (!box)
            continue;
        const bool question = GetDlgItem(box, IDYES) != nullptr;
        m_questions.push_back(AnswerMessageBox(box, !question ? IDOK : replace ? IDYES : IDNO));
        if (!question || !replace)
            return false;
    }
    return WaitUntilClosed(0);
}

bool SaveDialogRobot::Cancel()
{
    if (!IsOpen(m_dialog))
        return false;
    PressButton(m_dialog, IDCANCEL);
    return WaitUntilClosed();
}

bool SaveDialogRobot::WaitUntilClosed(DWORD timeoutMs) const
{
    return WaitForWindowGone(m_dialog, timeoutMs);
}
