// The values of the payment file's fields and the checks they carry: each
// value is read from the payment or taken from the user's choices,
// normalised, cut and padded to its field; a value that carries a check makes
// it on the line's checks as it is read, and each rule judges the value in
// the form the line writes it, so the file and the check always agree.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornBankPayments.h"
#include "com/HostPayments.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"
#include "text/TextNormalisers.h"

// How values take their place in a field: aligned and padded to a width,
// amounts with two decimals, and texts kept off the grid's separators.

// The text right-aligned in width characters, padded on the left with fill;
// a longer text is left whole.
CFieldText RightAligned(const CFieldText& text, int width, char fill);

// The text left-aligned in width characters, padded on the right with fill;
// a longer text is left whole.
CFieldText LeftAligned(const CFieldText& text, int width, char fill);

// The amount as the payment file carries it: "%.2f" with "." as decimal
// separator whatever the locale, a leading "-" when negative. A text longer
// than 255 characters is cut there.
CFieldText FormatAmount(double amount);

// The text with a space for each comma, double quote and control character,
// which would break a line apart or move its fields. For values written
// uncleaned.
CFieldText GridSafe(const CFieldText& text);

// The field checks, and the status code they leave in the payment.

// A written amount (FormatAmount) fits the bank's amount field, which holds
// 11 digits of pence: an optional "-", one to nine digits, ".", two
// decimals. So no amount beyond 999,999,999.99 fits, nor a non-finite one.
bool FitsAmountField(const CFieldText& writtenAmount);

// A written amount carries money the bank can pay: it fits the amount field,
// and is neither negative nor zero.
bool IsValidAmountText(const CFieldText& writtenAmount);

// A text with a NUL inside (PaymentText::whole false) fails the check of its
// field: its value holds only what comes before the NUL.

// The digits of a sort code (DigitsOf): exactly six.
bool IsValidSortCode(const CFieldText& digits);

// An account number (ToAnsiText): exactly eight digits, no separators.
bool IsValidAccountNumber(const CFieldText& accountNumber);

// A payee name as the line writes it (cleaned and cut): something other
// than spaces.
bool IsValidPayeeName(const CFieldText& writtenName);

// The checks of one line on one payment. Starting a line sets the payment's
// status code to 0; every failed check then sets its own code, so the
// payment ends with the code of the last check that failed.
class CLineChecks
{
public:
    explicit CLineChecks(const CHostPayment& payment);
    CLineChecks(const CLineChecks&) = delete;
    CLineChecks& operator=(const CLineChecks&) = delete;

    void Require(bool passed, PaymentStatusCode failureCode);
    bool AllPassed() const { return m_allPassed; }

private:
    const CHostPayment& m_payment;
    bool m_allPassed = true;
};

// The values of the fields.

// Digits of a sort code and of an account number.
const int SortCodeLength = 6;
const int AccountNumberLength = 8;

// Widths that the texts of the fields are cut to.
const int ShortPayeeNameWidth = 18;
const int LongPayeeNameWidth = 35;
const int ReferenceWidth = 18;
const int IatReferenceWidth = 16;
const int BulkReferenceWidth = 25;
const int RollNumberWidth = 18;
const int AdHocReferenceWidth = 18;
const int FileNameWidth = 16;

// Payer sort code digits (6, zero-padded on the left) and payer account
// number (8, zero-padded on the left): 14 characters. Checks 23, then 24.
CFieldText PayerAccountValue(const CHostPayment& payment, CLineChecks& checks);
// Check 21. An amount that does not fit the bank's amount field (beyond
// 999,999,999.99, or no number) leaves the field empty.
CFieldText AmountValue(const CHostPayment& payment, CLineChecks& checks);
// Sort code digits, 6, space-padded on the right. Check 28.
CFieldText PayeeSortCodeValue(const CHostPayment& payment, CLineChecks& checks);
// 8 characters, zero-padded on the left. Check 29.
CFieldText PayeeAccountNumberValue(const CHostPayment& payment, CLineChecks& checks);
// Cleaned and cut to width. Check 30.
CFieldText PayeeNameValue(const CHostPayment& payment, int width, CLineChecks& checks);

// The roll number if there is one, else the payee's BACS reference; cleaned
// and cut to width.
CFieldText PaymentReferenceValue(const CHostPayment& payment, int width);
// The payee's BACS reference, cleaned, 25.
CFieldText BulkReferenceValue(const CHostPayment& payment);
// The roll number, cleaned, 18.
CFieldText RollNumberValue(const CHostPayment& payment);
// The roll number, else the BACS reference, else the payer's sort code and
// account number digits (6 and 8, unpadded); cleaned, 18.
CFieldText AdHocReferenceValue(const CHostPayment& payment);

// The choices of the payment dialog and the save dialog.
CFieldText TemplateValue(const CString& templateName);
CFieldText BeneficiaryReferenceValue(const CString& beneficiaryReference);
// The file name with its extension, without its folder; cleaned, 16.
CFieldText FileNameValue(const char* path);
CFieldText ProcessingDateValue(DATE date);
