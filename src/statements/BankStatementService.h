// The statement service: the common service operations plus the statement
// import (ImportStatement) and its status text operation.
#pragma once

#include "VornTiloOnline.h"
#include "com/BankServiceImpl.h"
#include "com/ComObject.h"
#include "com/DispatchImpl.h"
#include "text/CString.h"

class CBankStatementService : public CSupportErrorInfoImpl<&IID_IBankStatementService>,
                              public IBankServiceImpl<IBankStatementService, &IID_IBankStatementService>,
                              public CComObjectRoot
{
public:
    CBankStatementService();

    VORN_IUNKNOWN_METHODS

    // No status texts: only the pointer is checked.
    STDMETHODIMP GetStatementStatusText(LONG code, BSTR* text) override;
    // The statement import (see StatementImport.h).
    STDMETHODIMP ImportStatement(IVornBankContext* context, IVornStatement* statement) override;

private:
    // The host account of the last import that could read it; empty at first.
    CString m_bankSortCode;
    CString m_bankAccountNumber;
};
