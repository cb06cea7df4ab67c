// Recording objects of the host's payment collection and payments.
#pragma once

#include <set>

#include "VornBankPayments.h"
#include "objects/HostObject.h"

class FakePayment : public HostObject<IVornPayment>
{
public:
    double amount = 0.0;
    std::wstring payerSortCode;
    std::wstring payerAccountNumber;
    std::wstring payeeReference;
    std::wstring payeeSortCode;
    std::wstring payeeAccountNumber;
    std::wstring payeeAccountName;
    std::wstring payeeRollNumber;
    std::wstring details;
    long statusCode = 0;
    // Empty texts are handed out as null BSTRs.
    bool emptyAsNull = false;
    // Every getter fails with E_FAIL and leaves its out-argument untouched.
    bool gettersFail = false;

    // Every SetStatusCode in order.
    std::vector<long> statusCodesSet;

    STDMETHODIMP GetAmount(double* value) override;
    STDMETHODIMP SetAmount(double) override { return Unexpected("SetAmount"); }
    STDMETHODIMP GetPayerBacsReference(BSTR*) override { return Unexpected("GetPayerBacsReference"); }
    STDMETHODIMP SetPayerBacsReference(BSTR) override { return Unexpected("SetPayerBacsReference"); }
    STDMETHODIMP GetPayerSortCode(BSTR* value) override
    {
        return Text("IVornPayment::GetPayerSortCode", payerSortCode, value);
    }
    STDMETHODIMP SetPayerSortCode(BSTR) override { return Unexpected("SetPayerSortCode"); }
    STDMETHODIMP GetPayerAccountNumber(BSTR* value) override
    {
        return Text("IVornPayment::GetPayerAccountNumber", payerAccountNumber, value);
    }
    STDMETHODIMP SetPayerAccountNumber(BSTR) override { return Unexpected("SetPayerAccountNumber"); }
    STDMETHODIMP GetPayerAccountName(BSTR*) override { return Unexpected("GetPayerAccountName"); }
    STDMETHODIMP SetPayerAccountName(BSTR) override { return Unexpected("SetPayerAccountName"); }
    STDMETHODIMP GetPayerRollNumber(BSTR*) override { return Unexpected("GetPayerRollNumber"); }
    STDMETHODIMP SetPayerRollNumber(BSTR) override { return Unexpected("SetPayerRollNumber"); }
    STDMETHODIMP GetPayeeReference(BSTR* value) override
    {
        return Text("IVornPayment::GetPayeeReference", payeeReference, value);
    }
    STDMETHODIMP SetPayeeReference(BSTR) override { return Unexpected("SetPayeeReference"); }
    STDMETHODIMP GetPayeeSortCode(BSTR* value) override
    {
        return Text("IVornPayment::GetPayeeSortCode", payeeSortCode, value);
    }
    STDMETHODIMP SetPayeeSortCode(BSTR) override { return Unexpected("SetPayeeSortCode"); }
    STDMETHODIMP GetPayeeAccountNumber(BSTR* value) override
    {
        return Text("IVornPayment::GetPayeeAccountNumber", payeeAccountNumber, value);
    }
    STDMETHODIMP SetPayeeAccountNumber(BSTR) override { return Unexpected("SetPayeeAccountNumber"); }
    STDMETHODIMP GetPayeeAccountName(BSTR* value) override
    {
        return Text("IVornPayment::GetPayeeAccountName", payeeAccountName, value);
    }
    STDMETHODIMP SetPayeeAccountName(BSTR) override { return Unexpected("SetPayeeAccountName"); }
    STDMETHODIMP GetPayeeRollNumber(BSTR* value) override
    {
        return Text("IVornPayment::GetPayeeRollNumber", payeeRollNumber, value);
    }
    STDMETHODIMP SetPayeeRollNumber(BSTR) override { return Unexpected("SetPayeeRollNumber"); }
    STDMETHODIMP GetReference(BSTR*) override { return Unexpected("GetReference"); }
    STDMETHODIMP SetReference(BSTR) override { return Unexpected("SetReference"); }
    STDMETHODIMP GetDetails(BSTR* value) override
    {
        return Text("IVornPayment::GetDetails", details, value);
    }
    STDMETHODIMP SetDetails(BSTR) override { return Unexpected("SetDetails"); }
    STDMETHODIMP GetCurrency(BSTR*) override { return Unexpected("GetCurrency"); }
    STDMETHODIMP SetCurrency(BSTR) override { return Unexpected("SetCurrency"); }
    STDMETHODIMP GetPaymentDate(DATE*) override { return Unexpected("GetPaymentDate"); }
    STDMETHODIMP SetPaymentDate(DATE) override { return Unexpected("SetPaymentDate"); }
    STDMETHODIMP GetStatusCode(long* code) override;
    STDMETHODIMP SetStatusCode(long code) override;

private:
    HRESULT Text(const char* call, const std::wstring& text, BSTR* out)
    {
        if (!out)
            return E_POINTER;
        *out = nullptr;
        if (const HRESULT failure = ServeHostCall(call))
            return failure;
        if (gettersFail)
            return E_FAIL;
        return HostText(text, emptyAsNull && text.empty(), out);
    }
};

class FakePayments : public HostObject<IVornPayments>
{
public:
    std::vector<ComPtr<FakePayment>> payments;
    // Indices whose Item fails with E_FAIL and no payment.
    std::set<long> failingItems;
    // Every index asked for with Item, in order.
    std::vector<long> itemRequests;

    FakePayment* Add();

    STDMETHODIMP Item(long index, IVornPayment** payment) override;
    STDMETHODIMP Count(long* count) override;
};
