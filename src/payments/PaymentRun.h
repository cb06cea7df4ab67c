// The payment run behind the payment service's ProcessPayments: from the
// host's batch to the payment file on disk, with the payment dialog and the
// save dialog in between.
#pragma once

#include <windows.h>

#include "VornBankPayments.h"
#include "VornEBanking.h"

// Runs the payment run on the host's thread and leaves its PaymentRunStatus
// in `status` (the payment service's status value). Gives S_OK, S_FALSE
// when a payment failed its checks, or RunTooManyPayments (40) for a batch
// beyond MaximumPayments. Failures are thrown, as in a method body: null
// `payments` as E_INVALIDARG, the host settings component's as _com_error.
// `context` may be null.
HRESULT RunPayments(IVornPayments* payments, IVornBankContext* context, LONG& status);
