#include "statements/ChooseStatementFile.h"

#include <string.h>

#include "VornBankReconciliation.h"
#include "com/HostComponent.h"
#include "com/HostSettings.h"
#include "statements/RecognizeStatementFile.h"

namespace
{
const LONG FileChosen = 0;
const LONG NothingChosen = 1;
}

bool ChooseStatementFile(wchar_t (&path)[StatementPathSize])
{
    ComPtr<IVornStatementFileSelector> selector = CreateHostComponent<IVornStatementFileSelector>(
        CLSID_VornStatementFileSelector, IID_IVornStatementFileSelector);
    CHostSettings settings;
    path[0] = L'\0';

    // The settings component fills the block; of its layout only the first
    // field, the recognition function's address, is ours.
    unsigned char block[SelectionBlockSize];
    settings.GetStatementFileSettings(block);
    const StatementFileRecognizer recognize = &RecognizeStatementFile;
    static_assert(sizeof recognize == 4, "the block's first field holds a 32-bit address");
    memcpy(block, &recognize, sizeof recognize);

    IVornStatementFileSelector* chooser = HostComponent(selector, HostFileSelectionName);
    CheckHostCall(chooser->SelectStatementFile(block), chooser, IID_IVornStatementFileSelector,
                  HostFileSelectionName, L"SelectStatementFile");
    // Neither result is checked; a status that cannot be read counts as no
    // choice.
    LONG status = NothingChosen;
    chooser->GetSelectionStatus(&status);
    BStr chosen;
    chooser->GetSelectedFile(chosen.Out());

    // The file selection component goes before the settings component.
    selector.Reset();

    if (status != FileChosen)
        return false;
    // A path that does not fit is refused whole, never opened cut short.
    if (chosen.Length() >= static_cast<UINT>(StatementPathSize))
        throw static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE);
    lstrcpynW(path, chosen.Text(), StatementPathSize);
    return true;
}
