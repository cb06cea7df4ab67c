#include "tilohost/ComponentServices.h"

#include <string>

#include "tilohost/Failures.h"
#include "tilohost/TextConversion.h"

const wchar_t BankProgId[] = L"VornTiloOnline.Bank.1";

namespace
{
void Check(HRESULT result, const std::string& what)
{
    if (FAILED(result))
    {
        const std::string description = TakeErrorDescription();
        throw ComponentCallFailed(what + (description.empty() ? "" : ": " + description), result);
    }
}

// Where the registry lies: Wine hands its prefix down in the environment.
std::string RegistryPlace()
{
    wchar_t prefix[MAX_PATH * 2] = {};
    const DWORD length = GetEnvironmentVariableW(L"WINEPREFIX", prefix, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2)
        return std::string();
    return " in the Wine prefix " + Utf8FromWide(prefix);
}

ComPtr<IVornBankService> FindService(const wchar_t* name)
{
    ComPtr<IVornBank> bank;
    Check(CoCreateInstance(BankClassId(), nullptr, CLSCTX_INPROC_SERVER, IID_IVornBank, bank.OutVoid()),
          "creating the bank VornTiloOnline.Bank.1");
    ComPtr<IVornBankServices> services;
    Check(bank->GetServices(services.Out()), "the bank's GetServices");
    Variant index;
    index->vt = VT_BSTR;
    index->bstrVal = SysAllocString(name);
    ComPtr<IVornBankService> service;
    Check(services->GetItem(index.Get(), service.Out()), "the service list's GetItem(\"" + Utf8FromWide(name) + "\")");
    if (!service)
        throw ComponentCallFailed("the service list gave no \"" + Utf8FromWide(name) + "\"", E_POINTER);
    return service;
}
}

CLSID BankClassId()
{
    CLSID clsid;
    Check(CLSIDFromProgID(BankProgId, &clsid),
          "the bank component VornTiloOnline.Bank.1 is not registered" + RegistryPlace() + " (run: tilohost register)");
    return clsid;
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
