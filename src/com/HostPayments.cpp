#include "com/HostPayments.h"

#include "com/HostComponent.h"

namespace
{
const wchar_t PaymentItem[] = L"payment";

struct NamedGetter
{
    PaymentTextGetter getter;
    const wchar_t* name;
};

const NamedGetter TextGetters[] = {
    {&IVornPayment::GetPayerSortCode, L"GetPayerSortCode"},
    {&IVornPayment::GetPayerAccountNumber, L"GetPayerAccountNumber"},
    {&IVornPayment::GetPayeeReference, L"GetPayeeReference"},
    {&IVornPayment::GetPayeeSortCode, L"GetPayeeSortCode"},
    {&IVornPayment::GetPayeeAccountNumber, L"GetPayeeAccountNumber"},
    {&IVornPayment::GetPayeeAccountName, L"GetPayeeAccountName"},
    {&IVornPayment::GetPayeeRollNumber, L"GetPayeeRollNumber"},
    {&IVornPayment::GetDetails, L"GetDetails"},
};

const wchar_t* NameOf(PaymentTextGetter getter)
{
    for (const NamedGetter& each : TextGetters)
    {
        if (each.getter == getter)
            return each.name;
    }
    return L"a text getter";
}

// The host's text; whole unless a NUL comes before its given length.
BStr ReadText(const CHostPayment& payment, PaymentTextGetter getter, PaymentText& text)
{
    BStr value;
    CheckHostObjectCall((payment.Get()->*getter)(value.Out()), payment.Get(), NameOf(getter), PaymentItem,
                        payment.Number());
    const BSTR raw = value.Get();
    text.given = raw && raw[0] != L'\0';
    text.whole = !raw || lstrlenW(raw) == static_cast<int>(SysStringLen(raw));
    return value;
}
}

long CountPayments(IVornPayments* payments)
{
    long count = 0;
    CheckHostObjectCall(payments->Count(&count), payments, L"Count");
    return count;
}

CHostPayment CHostPayment::Fetch(IVornPayments* payments, long index)
{
    ComPtr<IVornPayment> payment;
    const long number = index + 1;
    CheckHostObjectCall(payments->Item(index, payment.Out()), payments, L"Item", PaymentItem, number);
    if (!payment)
        RaiseHostObjectFailure(E_POINTER, payments, __uuidof(IVornPayments), L"Item", PaymentItem, number);
    return CHostPayment(payment.Get(), number);
}

PaymentText CHostPayment::Text(PaymentTextGetter getter) const
{
    PaymentText text;
    const BStr value = ReadText(*this, getter, text);
    text.value = ToAnsiText(value.Get());
    return text;
}

PaymentText CHostPayment::Digits(PaymentTextGetter getter) const
{
    PaymentText text;
    const BStr value = ReadText(*this, getter, text);
    text.value = DigitsOf(value.Get());
    return text;
}

double CHostPayment::Amount() const
{
    double amount = 0.0;
    CheckHostObjectCall(m_payment->GetAmount(&amount), m_payment.Get(), L"GetAmount", PaymentItem, m_number);
    return amount;
}

long CHostPayment::StatusCode() const
{
    long code = 0;
    CheckHostObjectCall(m_payment->GetStatusCode(&code), m_payment.Get(), L"GetStatusCode", PaymentItem,
                        m_number);
    return code;
}

void CHostPayment::SetStatusCode(long code) const
{
    CheckHostObjectCall(m_payment->SetStatusCode(code), m_payment.Get(), L"SetStatusCode", PaymentItem,
                        m_number);
    m_codeSet = code;
}
