// The host's payment collection as the payment run reads it.
#pragma once

#include "VornBankPayments.h"
#include "com/ComHolders.h"

// The number of payments; the host's result is not checked (0 when it
// leaves nothing).
long CountPayments(IVornPayments* payments);

// The payment at a 0-based index; empty when the host fails to give it or
// reports success with no payment.
ComPtr<IVornPayment> FetchPayment(IVornPayments* payments, long index);
