// The host's statement file selection component: runs the bank component's
// recognition function on the path "the user" looks at, then takes the
// choice that the controller set, whatever the function answered.
#pragma once

#include <string>

#include "VornBankReconciliation.h"
#include "standin/StandInObject.h"

class CStatementFileSelector
    : public CStandInObject<IVornStatementFileSelector, &IID_IVornStatementFileSelector,
                            &LIBID_VornBankReconciliationLib>
{
public:
    STDMETHODIMP SelectStatementFile(unsigned char* selectionBlock) override;
    STDMETHODIMP SetTitle(BSTR title) override;
    STDMETHODIMP GetSelectedType(BSTR* typeName) override;
    STDMETHODIMP GetSelectedFile(BSTR* path) override;
    STDMETHODIMP GetSelectionStatus(LONG* status) override;

private:
    // Nothing chosen until a selection ran.
    std::wstring m_path;
    LONG m_status = 1;
    std::string m_typeName;
};
