// The payment processing dialog: the user picks the payment format, the
// processing date, the template and the beneficiary reference, and marks the
// payments that are Inter Account Transfers. The marks go straight into the
// payments' status codes; the rest is read back after OK.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <oleauto.h>

#include "VornBankPayments.h"
#include "com/ComHolders.h"
#include "com/HostPayments.h"
#include "com/PaymentTypes.h"
#include "dialog/DialogImpl.h"
#include "dialog/ListView.h"
#include "resources/resource.h"
#include "text/CString.h"

class CPayInfoDialog : public CDialogImpl<CPayInfoDialog>
{
public:
    enum { IDD = IDD_PAYINFO };

    // `payments` may be null; the texts are the remembered template and
    // beneficiary reference.
    CPayInfoDialog(IVornPayments* payments, const CString& templateName, const CString& benRef);

    // IDOK, IDCANCEL, or -1 when the dialog cannot be created. A failure of
    // the dialog's work (a string out of memory, say) closes the dialog and
    // is thrown from here.
    int ShowModal(HWND parent);

    DATE GetProcessingDate() const { return m_date; }
    CString GetTemplate() const { return m_template; }
    CString GetBenRef() const { return m_benRef; }
    PaymentFormat GetFormat() const { return m_format; }

    BOOL HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                       LRESULT& result) override;

private:
    LRESULT InitDialog();
    LRESULT CtlColorStatic(HDC dc, HWND control);
    BOOL Command(int id);
    void FormatClicked(int id);
    void IatCheckClicked();
    void SetClicked();
    void ResetClicked();
    void DateChanged(const NMDATETIMECHANGE& change);
    void OkClicked();
    void CancelClicked();

    void ApplyFormat(PaymentFormat format);
    void ShowFormatText(int labelId, int boxId, bool shown, const CString& value);
    void EnableIatControls(bool enable);
    void FillPaymentList();
    void MarkSelected(long statusCode);

    ModuleHandle m_hComCtl;
    int m_changed = 0;
    ComPtr<IVornPayments> m_payments;
    DATE m_date = 0;
    PaymentFormat m_format = StandardDomestic;
    CString m_template;
    CString m_benRef;
    CListView m_list;
};

// The dialog's list: one row per payment of the host's collection, with the
// payee's details, the amount and whether the payment is marked as an Inter
// Account Transfer. The seven columns, in order: "Sort Code", "Acc. Number", "Name", "Amount",
// "Reference", "Details", "Is IAT".
void InsertPaymentColumns(CListView& list);

// Adds the payment's row after the last one; the row's item data is the
// payment's index in the collection.
void AddPaymentRow(CListView& list, const CHostPayment& payment);
