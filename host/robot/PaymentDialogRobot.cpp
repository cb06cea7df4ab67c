#include "robot/PaymentDialogRobot.h"

#include <cmath>

#include "resources/resource.h"
#include "robot/WindowPicture.h"

const char* const PaymentDialogRobot::Caption = "Vorn Tilo Online Payment Processing";

namespace
{
int FormatButton(PaymentFormat format)
{
    switch (format)
    {
    case StandardDomestic:
        return IDC_FORMAT_STANDARD;
    case TemplateDomestic:
        return IDC_FORMAT_TEMPLATE;
    case BulkList:
        return IDC_FORMAT_BULK_LIST;
    default:
        return IDC_FORMAT_AD_HOC;
    }
}
}

bool PaymentDialogRobot::WaitForDialog(DWORD timeoutMs)
{
    m_dialog = WaitForWindow(Caption, "#32770", timeoutMs);
    return m_dialog != nullptr;
}

bool PaymentDialogRobot::ChooseFormat(PaymentFormat format)
{
    return ClickButton(m_dialog, FormatButton(format));
}

bool PaymentDialogRobot::TypeTemplate(const std::string& text, bool replace)
{
    return TypeText(m_dialog, IDC_TEMPLATE, text, replace);
}

bool PaymentDialogRobot::TypeBenRef(const std::string& text, bool replace)
{
    return TypeText(m_dialog, IDC_BENREF, text, replace);
}

bool PaymentDialogRobot::ClickIatBox()
{
    return ClickButton(m_dialog, IDC_IAT_CHECK);
}

bool PaymentDialogRobot::SelectRows(const std::vector<int>& rows)
{
    return SelectListRows(GetDlgItem(m_dialog, IDC_PAYMENT_LIST), rows);
}

bool PaymentDialogRobot::PressSet()
{
    return ClickButton(m_dialog, IDC_SET);
}

bool PaymentDialogRobot::PressReset()
{
    return ClickButton(m_dialog, IDC_RESET);
}

bool PaymentDialogRobot::SetProcessingDate(WORD year, WORD month, WORD day)
{
    return SetPickerDate(m_dialog, IDC_PROCESSING_DATE, year, month, day);
}

bool PaymentDialogRobot::SetProcessingDate(DATE date)
{
    SYSTEMTIME fields = {};
    if (!VariantTimeToSystemTime(std::floor(date), &fields))
        return false;
    return SetProcessingDate(fields.wYear, fields.wMonth, fields.wDay);
}

DATE PaymentDialogRobot::ShownDate() const
{
    SYSTEMTIME fields = {};
    if (!ReadPickerDate(m_dialog, IDC_PROCESSING_DATE, fields))
        return 0;
    SYSTEMTIME day = {};
    day.wYear = fields.wYear;
    day.wMonth = fields.wMonth;
    day.wDay = fields.wDay;
    DATE date = 0;
    SystemTimeToVariantTime(&day, &date);
    return date;
}

std::vector<std::vector<std::string>> PaymentDialogRobot::Rows() const
{
    return ReadListRows(GetDlgItem(m_dialog, IDC_PAYMENT_LIST));
}

ControlState PaymentDialogRobot::Control(int id) const
{
    return ReadControl(m_dialog, id);
}

bool PaymentDialogRobot::PressOk()
{
    return PostClickButton(m_dialog, IDOK);
}

bool PaymentDialogRobot::PressCancel()
{
    return PostClickButton(m_dialog, IDCANCEL);
}

HWND PaymentDialogRobot::WaitForMessage(DWORD timeoutMs) const
{
    return WaitForMessageBox(m_dialog, timeoutMs);
}

bool PaymentDialogRobot::WaitUntilClosed(DWORD timeoutMs) const
{
    return WaitForWindowGone(m_dialog, timeoutMs);
}

void PaymentDialogRobot::CloseByForce()
{
    if (!m_dialog)
        m_dialog = WaitForWindow(Caption, "#32770", 0);
    for (int attempt = 0; attempt < 10 && m_dialog && IsWindow(m_dialog) && IsWindowVisible(m_dialog); ++attempt)
    {
        if (const HWND box = WaitForMessage(0))
        {
            // Yes drops the changes; a box without Yes takes OK.
            AnswerMessageBox(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
            continue;
        }
        PressButton(m_dialog, IDCANCEL);
        if (const HWND box = WaitForMessage(1000))
            AnswerMessageBox(box, GetDlgItem(box, IDYES) ? IDYES : IDOK);
        WaitUntilClosed(1000);
    }
}

bool PaymentDialogRobot::SavePicture(const std::string& path) const
{
    return SaveWindowPicture(m_dialog, path);
}
