// The values of the payment file's fields: each read from the payment or
// taken from the user's choices, normalised, cut and padded to its field.
// Values that carry a check make it on the line's checks as they are read.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornBankPayments.h"
#include "payments/PaymentChecks.h"
#include "text/CString.h"

// Widths that the payee name and the payment reference are cut to.
const int ShortPayeeNameWidth = 18;
const int LongPayeeNameWidth = 35;
const int ReferenceWidth = 18;
const int IatReferenceWidth = 16;

// Payer sort code digits (6, zero-padded on the left) and payer account
// number (8, zero-padded on the left): 14 characters. Checks 23, then 24.
CString PayerAccountValue(IVornPayment* payment, CLineChecks& checks);
// Check 21. An amount that does not fit the bank's amount field (beyond
// 999,999,999.99, or no number) leaves the field empty.
CString AmountValue(IVornPayment* payment, CLineChecks& checks);
// Sort code digits, 6, space-padded on the right. Check 28.
CString PayeeSortCodeValue(IVornPayment* payment, CLineChecks& checks);
// 8 characters, zero-padded on the left. Check 29.
CString PayeeAccountNumberValue(IVornPayment* payment, CLineChecks& checks);
// Cleaned and cut to width. Check 30.
CString PayeeNameValue(IVornPayment* payment, int width, CLineChecks& checks);

// The roll number if there is one, else the payee's BACS reference; cleaned
// and cut to width.
CString PaymentReferenceValue(IVornPayment* payment, int width);
// The payee's BACS reference, cleaned, 25.
CString BulkReferenceValue(IVornPayment* payment);
// The roll number, cleaned, 18.
CString RollNumberValue(IVornPayment* payment);
// The roll number, else the BACS reference, else the payer's sort code and
// account number digits (6 and 8, unpadded); cleaned, 18.
CString AdHocReferenceValue(IVornPayment* payment);

// The choices of the payment dialog and the save dialog.
CString TemplateValue(const CString& templateName);
CString BeneficiaryReferenceValue(const CString& beneficiaryReference);
// The file name with its extension, without its folder; cleaned, 16.
CString FileNameValue(const char* path);
CString ProcessingDateValue(DATE date);
