#include "statements/BankStatementService.h"

CBankStatementService::CBankStatementService() : IBankServiceImpl("Bank Reconciliation Service") {}

// Not IVornBankService: the host asks each service for its own interface.
IUnknown* CBankStatementService::FindInterface(REFIID iid)
{
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IBankStatementService) ||
        IsEqualIID(iid, IID_IVornBankStatementService) || IsEqualIID(iid, IID_IDispatch))
        return static_cast<IBankStatementService*>(this);
    if (IsEqualIID(iid, IID_ISupportErrorInfo))
        return static_cast<ISupportErrorInfo*>(this);
    return nullptr;
}
