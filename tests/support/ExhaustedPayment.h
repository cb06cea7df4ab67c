// A payment whose reading fails inside the component's own process, as
// memory running out makes it fail: the failure is thrown, not returned.
// Only for tests that link the component's code.
#pragma once

#include "objects/FakePayments.h"

class ExhaustedPayment : public FakePayment
{
public:
    STDMETHODIMP GetPayeeSortCode(BSTR*) override { throw E_OUTOFMEMORY; }
};
