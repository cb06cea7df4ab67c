#include "ComponentServices.h"

#include <string>

#include "Failures.h"
#include "TextConversion.h"

const wchar_t BankProgId[] = L"VornTiloOnline.Bank.1";

namespace
{
void Check(HRESULT result, const std::string& what)
{
    if (FAILED(result))
    {
        const std::string description = TakeErrorDescription();
        throw HostCallFailed(what + (description.empty() ? "" : ": " + description), result);
    }
}

ComPtr<IVornBankService> FindService(const wchar_t* name)
{
    CLSID clsid;
    Check(CLSIDFromProgID(BankProgId, &clsid),
          "the bank component VornTiloOnline.Bank.1 is not registered (run: tilohost register)");
    ComPtr<IVornBank> bank;
    Check(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IVornBank, bank.OutVoid()),
          "creating the bank VornTiloOnline.Bank.1");
    ComPtr<IVornBankServices> services;
    Check(bank->GetServices(services.Out()), "the bank's GetServices");
    Variant index;
    index->vt = VT_BSTR;
    index->bstrVal = SysAllocString(name);
    ComPtr<IVornBankService> service;
    Check(services->GetItem(index.Get(), service.Out()), "the service list's GetItem(\"" + Utf8FromWide(name) + "\")");
    if (!service)
        throw HostCallFailed("the service list gave no \"" + Utf8FromWide(name) + "\"", E_POINTER);
    return service;
}
}

ComPtr<IVornBankPaymentService> FindPaymentService()
{
    ComPtr<IVornBankPaymentService> payments;
    Check(FindService(L"Bank Payment Service").As(IID_IVornBankPaymentService, payments),
          "the payment service's IVornBankPaymentService");
    return payments;
}

ComPtr<IVornBankStatementService> FindStatementService()
{
    ComPtr<IVornBankStatementService> statements;
    Check(FindService(L"Bank Reconciliation Service").As(IID_IVornBankStatementService, statements),
          "the statement service's IVornBankStatementService");
    return statements;
}

std::string TakeErrorDescription()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK || !info)
        return std::string();
    BStr description;
    if (FAILED(info->GetDescription(description.Out())))
        return std::string();
    return Utf8FromWide(description.Text());
}
