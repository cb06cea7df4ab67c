// The module's modal dialog base: shows a dialog template from the module's
// resources and hands its messages to the derived class's message map.
#pragma once

#include <windows.h>

#include "com/ErrorReporting.h"
#include "com/ComModule.h"

// T names its dialog template as the constant T::IDD.
template <class T>
class CDialogImpl
{
public:
    CDialogImpl() = default;
    CDialogImpl(const CDialogImpl&) = delete;
    CDialogImpl& operator=(const CDialogImpl&) = delete;

    // The message map: true when the message was handled, its result in
    // `result`; false leaves it to the default dialog handling.
    virtual BOOL HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                               LRESULT& result) = 0;
    virtual ~CDialogImpl() = default;
    virtual DLGPROC GetDialogProc() { return DialogProc; }
    // Called after the window's last message.
    virtual void OnFinalMessage(HWND) {}

    // The value handed to EndDialog, or -1 when the dialog cannot be created.
    // What the message handling threw ends the dialog and is thrown again
    // here, once the dialog is gone: nothing may unwind through the system's
    // dialog manager.
    INT_PTR DoModal(HWND parent)
    {
        const INT_PTR result = DialogBoxParamA(ModuleInstance(), MAKEINTRESOURCEA(T::IDD), parent,
                                               GetDialogProc(), reinterpret_cast<LPARAM>(this));
        m_failure.Rethrow();
        return result;
    }

    BOOL EndDialog(int result) { return ::EndDialog(m_hWnd, result); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }

    // Centres the dialog over its owner, or over the work area when the owner
    // is missing, hidden or minimised, and keeps it inside the work area.
    void CenterWindow()
    {
        const HWND owner = GetWindow(m_hWnd, GW_OWNER);
        MONITORINFO monitor = {sizeof monitor};
        GetMonitorInfoA(MonitorFromWindow(owner ? owner : m_hWnd, MONITOR_DEFAULTTONEAREST), &monitor);
        const RECT work = monitor.rcWork;
        RECT around = work;
        if (owner && IsWindowVisible(owner) && !IsIconic(owner))
            GetWindowRect(owner, &around);
        RECT own;
        GetWindowRect(m_hWnd, &own);
        const int width = own.right - own.left;
        const int height = own.bottom - own.top;
        int x = around.left + (around.right - around.left - width) / 2;
        int y = around.top + (around.bottom - around.top - height) / 2;
        x = x + width > work.right ? work.right - width : x;
        y = y + height > work.bottom ? work.bottom - height : y;
        x = x < work.left ? work.left : x;
        y = y < work.top ? work.top : y;
        SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    HWND m_hWnd = nullptr;

private:
    CDeferredFailure m_failure;

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        CDialogImpl* self = nullptr;
        if (message == WM_INITDIALOG)
        {
            self = reinterpret_cast<CDialogImpl*>(lParam);
            self->m_hWnd = window;
            SetWindowLongPtrA(window, DWLP_USER, lParam);
        }
        else
        {
            self = reinterpret_cast<CDialogImpl*>(GetWindowLongPtrA(window, DWLP_USER));
        }
        // Messages before WM_INITDIALOG (WM_SETFONT) take the default.
        if (!self)
            return FALSE;

        LRESULT result = 0;
        BOOL handled = FALSE;
        // After a failure the dialog only closes, with the default handling.
        if (!self->m_failure.Failed() &&
            !self->m_failure.Run([&] { handled = self->HandleMessage(window, message, wParam, lParam, result); }))
        {
            ::EndDialog(window, -1);
            handled = FALSE;
        }
        if (message == WM_NCDESTROY)
        {
            SetWindowLongPtrA(window, DWLP_USER, 0);
            self->m_hWnd = nullptr;
            self->OnFinalMessage(window);
        }
        if (!handled)
            return FALSE;
        switch (message)
        {
        // These return their result directly instead of through DWLP_MSGRESULT.
        case WM_INITDIALOG:
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return static_cast<INT_PTR>(result);
        default:
            SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
};
