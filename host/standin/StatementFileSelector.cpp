#include "standin/StatementFileSelector.h"

#include <string.h>

#include "common/CodePageText.h"
#include "standin/StandInState.h"

STDMETHODIMP CStatementFileSelector::SelectStatementFile(unsigned char* selectionBlock)
{
    StandInState& state = State();
    StandInSelectionRecord& record = state.selection;
    ++record.selectCalls;
    record.recognitionCalled = 0;
    record.recognitionAnswer = 0;
    memset(record.typeName, 0, sizeof record.typeName);

    const HRESULT forced = ForcedResult(IID_IVornStatementFileSelector, StandInSelectStatementFile);
    if (FAILED(forced))
        return forced;
    if (!selectionBlock)
        return PostError(E_POINTER, IID_IVornStatementFileSelector, "The selection block is missing.");
    StandInStatementFileSettings settings;
    memcpy(&settings, selectionBlock, sizeof settings);
    if (!settings.recognize)
        return PostError(E_INVALIDARG, IID_IVornStatementFileSelector,
                         "The selection block names no recognition function.");

    m_typeName.clear();
    if (!state.choicePath.empty())
    {
        // The recognition function takes an ANSI path; what the code page
        // lacks becomes "?", as it does for any program that narrows it.
        const std::string ansiPath = CodePageFromWide(CP_ACP, state.choicePath);
        char typeName[StandInTypeNameSize] = {};
        record.recognitionAnswer = settings.recognize(typeName, ansiPath.c_str());
        record.recognitionCalled = 1;
        m_typeName.assign(typeName, strnlen(typeName, sizeof typeName));
        memcpy(record.typeName, m_typeName.data(), m_typeName.size());
    }
    m_path = state.choicePath;
    m_status = state.choiceStatus;
    return S_OK;
}

// No dialog opens here, so the title has nowhere to show.
STDMETHODIMP CStatementFileSelector::SetTitle(BSTR)
{
    return S_OK;
}

STDMETHODIMP CStatementFileSelector::GetSelectedType(BSTR* typeName)
{
    return typeName ? AnsiToBstr(m_typeName, typeName) : E_POINTER;
}

STDMETHODIMP CStatementFileSelector::GetSelectedFile(BSTR* path)
{
    const HRESULT forced = ForcedResult(IID_IVornStatementFileSelector, StandInGetSelectedFile);
    if (FAILED(forced))
        return forced;
    if (!path)
        return E_POINTER;
    *path = SysAllocStringLen(m_path.data(), static_cast<UINT>(m_path.size()));
    return *path ? S_OK : E_OUTOFMEMORY;
}

STDMETHODIMP CStatementFileSelector::GetSelectionStatus(LONG* status)
{
    const HRESULT forced = ForcedResult(IID_IVornStatementFileSelector, StandInGetSelectionStatus);
    if (FAILED(forced))
        return forced;
    if (!status)
        return E_POINTER;
    *status = m_status;
    return S_OK;
}
