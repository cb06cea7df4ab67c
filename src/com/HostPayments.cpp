#include "com/HostPayments.h"

long CountPayments(IVornPayments* payments)
{
    long count = 0;
    payments->Count(&count);
    return count;
}

ComPtr<IVornPayment> FetchPayment(IVornPayments* payments, long index)
{
    ComPtr<IVornPayment> payment;
    if (FAILED(payments->Item(index, payment.Out())))
        payment.Reset();
    return payment;
}

CFieldText ReadPaymentText(IVornPayment* payment, PaymentTextGetter getter, bool* given)
{
    BStr text;
    (payment->*getter)(text.Out());
    if (given)
        *given = text.Get() && text.Get()[0] != L'\0';
    return ToAnsiText(text.Get());
}

CFieldText ReadPaymentDigits(IVornPayment* payment, PaymentTextGetter getter)
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
