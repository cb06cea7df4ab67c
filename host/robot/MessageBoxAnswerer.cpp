#include "robot/MessageBoxAnswerer.h"

#include "robot/WindowRobot.h"

namespace
{
BOOL CALLBACK FindMessageBox(HWND window, LPARAM parameter)
{
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId() || !IsWindowVisible(window) || !IsMessageBox(window))
        return TRUE;
    *reinterpret_cast<HWND*>(parameter) = window;
    return FALSE;
}

HWND VisibleMessageBox()
{
    HWND box = nullptr;
    EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

// The icon control is the box's static control with the SS_ICON style.
BOOL CALLBACK FindIconControl(HWND child, LPARAM parameter)
{
    const LONG style = GetWindowLongA(child, GWL_STYLE);
    if (lstrcmpiA(ClassNameOf(child).c_str(), "Static") != 0 || (style & SS_TYPEMASK) != SS_ICON || !IsWindowVisible(child))
        return TRUE;
    *reinterpret_cast<HWND*>(parameter) = child;
    return FALSE;
}

UINT IconStyleOf(HWND box)
{
    HWND control = nullptr;
    EnumChildWindows(box, FindIconControl, reinterpret_cast<LPARAM>(&control));
    if (!control)
        return 0;
    const HICON shown = reinterpret_cast<HICON>(SendMessageA(control, STM_GETICON, 0, 0));
    // The system icons are shared: a box shows the very handle LoadIcon gives.
    const struct
    {
        LPCSTR id;
        UINT style;
    } icons[] = {
        {IDI_HAND, MB_ICONHAND},
        {IDI_QUESTION, MB_ICONQUESTION},
        {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
        {IDI_ASTERISK, MB_ICONASTERISK},
    };
    for (const auto& icon : icons)
    {
        if (shown && shown == LoadIconA(nullptr, icon.id))
            return icon.style;
    }
    return 0;
}
}

SeenMessageBox InspectMessageBox(HWND box)
{
    SeenMessageBox seen;
    seen.owner = GetWindow(box, GW_OWNER);
    const MessageBoxContent content = ReadMessageBox(box);
    seen.caption = content.caption;
    seen.text = content.text;
    for (int id = IDOK; id <= IDCONTINUE; ++id)
    {
        HWND button = GetDlgItem(box, id);
        if (button && IsWindowVisible(button))
            seen.buttons.push_back(id);
    }
    seen.icon = IconStyleOf(box);
    return seen;
}

MessageBoxAnswerer::MessageBoxAnswerer(int button) : m_thread([this, button] { Answer(button); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer()
{
    Stop();
}

std::vector<SeenMessageBox> MessageBoxAnswerer::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

void MessageBoxAnswerer::Answer(int button)
{
    while (!m_stop)
    {
        HWND box = VisibleMessageBox();
        if (!box)
        {
            Sleep(20);
            continue;
        }
        m_seen.push_back(InspectMessageBox(box));
        PressButton(box, button);
        WaitForWindowGone(box);
    }
}
