#include "statements/BankStatementService.h"

#include "statements/StatementImport.h"

namespace
{
// Not IVornBankService: the host asks each service for its own interface.
const InterfaceEntry StatementServiceInterfaces[] = {
    VORN_INTERFACE(CBankStatementService, IBankStatementService, IID_IBankStatementService),
    VORN_INTERFACE(CBankStatementService, IBankStatementService, IID_IVornBankStatementService),
    VORN_INTERFACE(CBankStatementService, IBankStatementService, IID_IDispatch),
    VORN_INTERFACE(CBankStatementService, ISupportErrorInfo, IID_ISupportErrorInfo),
};
}

CBankStatementService::CBankStatementService() : IBankServiceImpl("Bank Reconciliation Service") {}

InterfaceTable CBankStatementService::Interfaces()
{
    return TableOf(StatementServiceInterfaces);
}

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
