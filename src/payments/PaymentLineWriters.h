// The writers of the payment file's lines. Each writes exactly one line on
// the field grid, checks the payment's fields as it writes them and leaves
// the payment's status code; it returns true when every check passed. A line
// is written in full whatever its checks say. The file and the payment are
// required (E_INVALIDARG).
#pragma once

#include <stdio.h>
#include <windows.h>
#include <oleauto.h>

#include "VornBankPayments.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"

// Record "01", or "03" for a payment whose status code marks it as an IAT
// (formats 0 and 1); record "07" in format 2. Other formats: E_INVALIDARG.
bool WritePaymentLine(FILE* file, DATE processingDate, PaymentFormat format, const CString& templateName,
                      IVornPayment* payment);

// Record "06", the header of a bulk list file, from the batch's first payment.
bool WriteBulkListHeader(FILE* file, IVornPayment* first, DATE processingDate, const CString& templateName,
                         const CString& beneficiaryReference);

// Record "08", the header of an ad hoc bulk file, from the batch's first
// payment; it names the file chosen in the save dialog.
bool WriteAdHocBulkHeader(FILE* file, DATE processingDate, const CString& beneficiaryReference,
                          const char* chosenPath, IVornPayment* first);

// Record "09", one payment of an ad hoc bulk file.
bool WriteAdHocBulkLine(FILE* file, IVornPayment* payment);
