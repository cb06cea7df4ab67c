// The input of the payment fuzz driver: a few lines of text that any bytes
// decode to, so that every mutant is a payment run.
//
//   FORMAT|DATE|TEMPLATE|BENEFICIARY REFERENCE|CHOSEN PATH
//   AMOUNT|PAYER SORT CODE|PAYER ACCOUNT|PAYEE REFERENCE|PAYEE SORT CODE|
//       PAYEE ACCOUNT|PAYEE NAME|ROLL NUMBER|DETAILS|STATUS CODE|FLAGS
//   ... one line per payment (at most 64)
//
// FORMAT is its first byte modulo 4; DATE and AMOUNT are read by strtod
// ("nan", "inf" and "-inf" too); STATUS CODE by strtol. Texts may hold \n,
// \r, \t, \0, \\, \xHH (a byte, or U+00HH) and \uHHHH (a UTF-16 unit) for
// what the separators leave out; the payment's texts are UTF-8 where the
// bytes are, other bytes standing for U+0000 to U+00FF. FLAGS: N hands out
// empty texts as null BSTRs, F makes every getter fail.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

#include "objects/FakePayments.h"
#include "com/PaymentTypes.h"
#include "text/CString.h"

const size_t MostPaymentsPerInput = 64;

struct PaymentRunInput
{
    PaymentFormat format = StandardDomestic;
    DATE processingDate = 0;
    CString templateName;
    CString beneficiaryReference;
    std::string chosenPath;
    std::vector<ComPtr<FakePayment>> payments;
};

PaymentRunInput DecodePaymentRunInput(const std::string& bytes);
