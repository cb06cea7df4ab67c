#include "payments/PaymentReading.h"

#include "com/ComHolders.h"
#include "payments/TextNormalisers.h"

CString ReadPaymentText(IVornPayment* payment, PaymentTextGetter getter)
{
    BStr text;
    (payment->*getter)(text.Out());
    return ToAnsiText(text.Get());
}

CString ReadPaymentDigits(IVornPayment* payment, PaymentTextGetter getter)
{
    BStr text;
    (payment->*getter)(text.Out());
    return DigitsOf(text.Get());
}

double ReadPaymentAmount(IVornPayment* payment)
{
    double amount = 0.0;
    payment->GetAmount(&amount);
    return amount;
}

long ReadPaymentStatusCode(IVornPayment* payment)
{
    long code = 0;
    payment->GetStatusCode(&code);
    return code;
}
