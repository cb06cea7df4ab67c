#include "statements/BankStatementService.h"

STDMETHODIMP CBankStatementService::GetStatementStatusText(LONG, BSTR*)
{
    return MethodGuard([]() -> HRESULT { throw E_NOTIMPL; });
}

STDMETHODIMP CBankStatementService::ImportStatement(IVornBankContext*, IVornStatement*)
{
    return MethodGuard([]() -> HRESULT { throw E_NOTIMPL; });
}
