#include "dialog/PayInfoDialog.h"

#include <commctrl.h>
#include <cstdio>

#include "com/ComModule.h"
#include "com/HostPayments.h"
#include "dialog/BankingCalendar.h"

namespace
{
const char DateDisplayFormat[] = "dd/MM/yyyy";

PaymentFormat FormatOfButton(int id)
{
    switch (id)
    {
    case IDC_FORMAT_STANDARD:
        return StandardDomestic;
    case IDC_FORMAT_TEMPLATE:
        return TemplateDomestic;
    case IDC_FORMAT_BULK_LIST:
        return BulkList;
    default:
        return AdHocBulk;
    }
}

bool AllowsIat(PaymentFormat format)
{
    return format == StandardDomestic || format == TemplateDomestic;
}
}

CPayInfoDialog::CPayInfoDialog(IVornPayments* payments, const CString& templateName, const CString& benRef)
    : m_payments(payments), m_template(templateName), m_benRef(benRef)
{
    m_hComCtl.Reset(LoadLibraryA("comctl32.dll"));
    if (!m_hComCtl)
        return;
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const auto init = reinterpret_cast<InitFunction>(
        reinterpret_cast<void*>(GetProcAddress(m_hComCtl.Get(), "InitCommonControlsEx")));
    if (init)
    {
        const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_DATE_CLASSES};
        init(&classes);
    }
}

int CPayInfoDialog::ShowModal(HWND parent)
{
    return static_cast<int>(DoModal(parent));
}

BOOL CPayInfoDialog::HandleMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (message)
    {
    case WM_INITDIALOG:
        result = InitDialog();
        return TRUE;
    case WM_CTLCOLORSTATIC:
        result = CtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        return TRUE;
    case WM_COMMAND:
        return Command(LOWORD(wParam));
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code != DTN_DATETIMECHANGE)
            return FALSE;
        DateChanged(*reinterpret_cast<const NMDATETIMECHANGE*>(lParam));
        return TRUE;
    default:
        return FALSE;
    }
}

BOOL CPayInfoDialog::Command(int id)
{
    switch (id)
    {
    case IDC_FORMAT_STANDARD:
    case IDC_FORMAT_TEMPLATE:
    case IDC_FORMAT_BULK_LIST:
    case IDC_FORMAT_AD_HOC:
        FormatClicked(id);
        return TRUE;
    case IDC_IAT_CHECK:
        IatCheckClicked();
        return TRUE;
    case IDC_SET:
        SetClicked();
        return TRUE;
    case IDC_RESET:
        ResetClicked();
        return TRUE;
    case IDOK:
        OkClicked();
        return TRUE;
    case IDCANCEL:
        CancelClicked();
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT CPayInfoDialog::InitDialog()
{
    CenterWindow();

    const HICON icon = LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(IDI_DIALOG));
    if (icon)
    {
        SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    }

    m_list.Attach(GetDlgItem(IDC_PAYMENT_LIST));
    m_list.AddExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertPaymentColumns(m_list);
    FillPaymentList();

    SendDlgItemMessageA(m_hWnd, IDC_BENREF, EM_LIMITTEXT, BeneficiaryReferenceWidth, 0);
    SendDlgItemMessageA(m_hWnd, IDC_TEMPLATE, EM_LIMITTEXT, TemplateNameWidth, 0);
    CheckDlgButton(m_hWnd, IDC_FORMAT_STANDARD, BST_CHECKED);
    ApplyFormat(m_format);
    EnableIatControls(false);

    const DATE date = NextCreditingDate(TodayAsDate());
    const HWND picker = GetDlgItem(IDC_PROCESSING_DATE);
    SendMessageA(picker, DTM_SETFORMATA, 0, reinterpret_cast<LPARAM>(DateDisplayFormat));
    SYSTEMTIME fields = {};
    VariantTimeToSystemTime(date, &fields);
    SendMessageA(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&fields));
    m_date = date;

    // False: the dialog manager does not put the focus on the first control.
    return FALSE;
}

void CPayInfoDialog::ApplyFormat(PaymentFormat format)
{
    CString description;
    description.LoadString(ModuleInstance(), IDS_FORMAT_DESCRIPTION_FIRST + format);

    // The description is drawn without a background (CtlColorStatic): the
    // dialog repaints its own background over the old text first.
    const HWND descriptionControl = GetDlgItem(IDC_FORMAT_DESCRIPTION);
    {
        const WindowDC dc(descriptionControl);
        SendMessageA(m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc.Get()), 0);
    }
    SetWindowTextA(descriptionControl, description.GetString());

    ShowFormatText(IDC_TEMPLATE_LABEL, IDC_TEMPLATE, format == TemplateDomestic || format == BulkList,
                   m_template);
    ShowFormatText(IDC_BENREF_LABEL, IDC_BENREF, format == BulkList || format == AdHocBulk, m_benRef);

    const bool allowsIat = AllowsIat(format);
    if (!allowsIat)
    {
        CheckDlgButton(m_hWnd, IDC_IAT_CHECK, BST_UNCHECKED);
        EnableIatControls(false);
    }
    EnableWindow(GetDlgItem(IDC_IAT_CHECK), allowsIat);
    EnableWindow(GetDlgItem(IDC_IAT_EXPLANATION), allowsIat);
}

// A box the format uses shows the remembered text (what was typed but not
// confirmed is dropped); a box it does not use is emptied.
void CPayInfoDialog::ShowFormatText(int labelId, int boxId, bool shown, const CString& value)
{
    EnableWindow(GetDlgItem(labelId), shown);
    EnableWindow(GetDlgItem(boxId), shown);
    SetDlgItemTextA(m_hWnd, boxId, shown ? value.GetString() : "");
}

void CPayInfoDialog::FormatClicked(int id)
{
    const PaymentFormat format = FormatOfButton(id);
    if (format != m_format)
        m_changed = 1;
    m_format = format;
    ApplyFormat(m_format);
}

LRESULT CPayInfoDialog::CtlColorStatic(HDC dc, HWND control)
{
    if (control != GetDlgItem(IDC_FORMAT_DESCRIPTION))
        return 0;
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

void CPayInfoDialog::IatCheckClicked()
{
    EnableIatControls(IsDlgButtonChecked(m_hWnd, IDC_IAT_CHECK) == BST_CHECKED);
}

void CPayInfoDialog::EnableIatControls(bool enable)
{
    EnableWindow(GetDlgItem(IDC_PAYMENT_LIST), enable);
    EnableWindow(GetDlgItem(IDC_SET), enable);
    EnableWindow(GetDlgItem(IDC_RESET), enable);
}

void CPayInfoDialog::FillPaymentList()
{
    m_list.DeleteAllRows();
    if (!m_payments)
        return;
    const long count = CountPayments(m_payments.Get());
    // Drawing each of up to 4000 rows as it comes takes seconds.
    m_list.SetRedraw(false);
    for (long index = 0; index < count; ++index)
    {
        AddPaymentRow(m_list, CHostPayment::Fetch(m_payments.Get(), index));
    }
    m_list.SetRedraw(true);
}

void CPayInfoDialog::SetClicked()
{
    MarkSelected(IatMark);
}

void CPayInfoDialog::ResetClicked()
{
    MarkSelected(0);
}

// The payment of a row is found by the row's item data, its index in the
// collection.
void CPayInfoDialog::MarkSelected(long statusCode)
{
    if (m_list.SelectedCount() == 0)
        return;
    m_changed = 1;
    if (m_payments)
    {
        m_list.RestartSelectionVisit();
        for (int row = m_list.NextSelected(); row != -1; row = m_list.NextSelected())
        {
            CHostPayment::Fetch(m_payments.Get(), static_cast<long>(m_list.ItemData(row))).SetStatusCode(statusCode);
        }
    }
    FillPaymentList();
}

void CPayInfoDialog::DateChanged(const NMDATETIMECHANGE& change)
{
    if (change.dwFlags != GDT_VALID)
        return;
    SYSTEMTIME fields = change.st;
    DATE date = 0;
    SystemTimeToVariantTime(&fields, &date);
    if (date != m_date)
        m_changed = 1;
    m_date = date;
}

void CPayInfoDialog::OkClicked()
{
    if (!CheckBankingDate(m_hWnd, m_date) || !CheckDateHorizon(m_hWnd, m_date))
        return;
    // A box that the format disabled is empty and empties its text.
    char templateName[TemplateNameWidth + 1] = {};
    char benRef[BeneficiaryReferenceWidth + 1] = {};
    GetDlgItemTextA(m_hWnd, IDC_TEMPLATE, templateName, sizeof templateName);
    GetDlgItemTextA(m_hWnd, IDC_BENREF, benRef, sizeof benRef);
    m_template = templateName;
    m_benRef = benRef;
    EndDialog(IDOK);
}

void CPayInfoDialog::CancelClicked()
{
    if (m_changed && MessageBoxA(m_hWnd, "Do you wish to ignore these changes?", "Changes have been made",
                                 MB_YESNO | MB_ICONQUESTION) == IDNO)
        return;
    // Cancelling leaves no payment marked, also those marked before.
    if (m_payments)
    {
        const long count = CountPayments(m_payments.Get());
        for (long index = 0; index < count; ++index)
        {
            CHostPayment::Fetch(m_payments.Get(), index).SetStatusCode(0);
        }
    }
    EndDialog(IDCANCEL);
}

namespace
{
struct Column
{
    const char* header;
    int width;
    int alignment;
};

const Column PaymentColumns[] = {
    {"Sort Code", 65, LVCFMT_LEFT},  {"Acc. Number", 80, LVCFMT_LEFT}, {"Name", 95, LVCFMT_LEFT},
    {"Amount", 70, LVCFMT_RIGHT},    {"Reference", 90, LVCFMT_LEFT},   {"Details", 110, LVCFMT_LEFT},
    {"Is IAT", 50, LVCFMT_LEFT},
};

enum ColumnIndex
{
    SortCodeColumn,
    AccountNumberColumn,
    NameColumn,
    AmountColumn,
    ReferenceColumn,
    DetailsColumn,
    IatColumn,
};

// Longest text each column shows.
const int SortCodeLength = 10;
const int AccountNumberLength = 29;
const int NameLength = 31;
const int ReferenceLength = 31;
const int DetailsLength = 254;

void SetColumnText(CListView& list, int row, int column, const CHostPayment& payment, PaymentTextGetter getter,
                   int maxLength)
{
    CFieldText text = payment.Text(getter).value;
    text.Cut(maxLength);
    list.SetText(row, column, text.GetString());
}
}

void InsertPaymentColumns(CListView& list)
{
    int column = 0;
    for (const Column& each : PaymentColumns)
        list.InsertColumn(column++, each.header, each.width, each.alignment);
}

void AddPaymentRow(CListView& list, const CHostPayment& payment)
{
    CFieldText sortCode = payment.Text(&IVornPayment::GetPayeeSortCode).value;
    sortCode.Cut(SortCodeLength);
    const int row = list.AddRow(sortCode.GetString(), payment.Number() - 1);
    if (row < 0)
        return;
    SetColumnText(list, row, AccountNumberColumn, payment, &IVornPayment::GetPayeeAccountNumber,
                  AccountNumberLength);
    SetColumnText(list, row, NameColumn, payment, &IVornPayment::GetPayeeAccountName, NameLength);
    char amount[64];
    snprintf(amount, sizeof amount, "%.2f", payment.Amount());
    list.SetText(row, AmountColumn, amount);
    SetColumnText(list, row, ReferenceColumn, payment, &IVornPayment::GetPayeeReference, ReferenceLength);
    SetColumnText(list, row, DetailsColumn, payment, &IVornPayment::GetDetails, DetailsLength);
    list.SetText(row, IatColumn, payment.StatusCode() != 0 ? "Yes" : "No");
}
