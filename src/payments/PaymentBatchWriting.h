// Writes a batch of payments into the open payment file: the header line of
// the bulk formats, then one line per payment in the host's order.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include "VornBankPayments.h"
#include "payments/PaymentFile.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"

// What the user chose in the payment dialog.
struct PaymentChoices
{
    DATE processingDate = 0;
    CString templateName;
    CString beneficiaryReference;
    PaymentFormat format = StandardDomestic;
};

// Writes the lines for the first `count` payments and sets `status` as the
// lines go: RunHasInvalidPayments when a line fails its checks (and, for the
// header, no payment line follows); RunFileFailed when a payment cannot be
// fetched or a write fails, which ends the writing. Gives S_FALSE when a
// line failed its checks, otherwise S_OK. An empty batch gets no header.
HRESULT WritePaymentBatch(CPaymentFile& file, IVornPayments* payments, long count,
                          const PaymentChoices& choices, const char* chosenPath, LONG& status);
