#include "payments/PaymentCollection.h"

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
