#include "objects/FakePayments.h"

STDMETHODIMP FakePayment::GetAmount(double* value)
{
    if (!value)
        return E_POINTER;
    if (const HRESULT failure = ServeHostCall("IVornPayment::GetAmount"))
        return failure;
    if (gettersFail)
        return E_FAIL;
    *value = amount;
    return S_OK;
}

STDMETHODIMP FakePayment::GetStatusCode(long* code)
{
    if (!code)
        return E_POINTER;
    if (const HRESULT failure = ServeHostCall("IVornPayment::GetStatusCode"))
        return failure;
    if (gettersFail)
        return E_FAIL;
    *code = statusCode;
    return S_OK;
}

STDMETHODIMP FakePayment::SetStatusCode(long code)
{
    if (const HRESULT failure = ServeHostCall("IVornPayment::SetStatusCode"))
        return failure;
    statusCode = code;
    statusCodesSet.push_back(code);
    return S_OK;
}

FakePayment* FakePayments::Add()
{
    payments.push_back(MakeHostObject<FakePayment>());
    return payments.back().Get();
}

STDMETHODIMP FakePayments::Item(long index, IVornPayment** payment)
{
    if (!payment)
        return E_POINTER;
    *payment = nullptr;
    if (const HRESULT failure = ServeHostCall("IVornPayments::Item"))
        return failure;
    itemRequests.push_back(index);
    if (index < 0 || index >= static_cast<long>(payments.size()) || failingItems.count(index))
        return E_FAIL;
    *payment = payments[index].CopyOut();
    return S_OK;
}

STDMETHODIMP FakePayments::Count(long* count)
{
    if (!count)
        return E_POINTER;
    if (const HRESULT failure = ServeHostCall("IVornPayments::Count"))
        return failure;
    *count = static_cast<long>(payments.size());
    return S_OK;
}
