#include "statements/BankStatementService.h"

#include "statements/StatementImport.h"

// The statement service has no status texts: only the pointer is checked.
STDMETHODIMP CBankStatementService::GetStatementStatusText(LONG, BSTR* text)
{
    return MethodGuard([&]() -> HRESULT {
        RequirePointer(text);
        return S_OK;
    });
}

STDMETHODIMP CBankStatementService::ImportStatement(IVornBankContext* context, IVornStatement* statement)
{
    return MethodGuard([&]() -> HRESULT {
        RunStatementImport(context, statement, m_status, m_bankSortCode, m_bankAccountNumber);
        return S_OK;
    });
}
