#include "statements/ChooseStatementFile.h"

#include <string.h>

#include "VornBankReconciliation.h"
#include "com/HostComponent.h"
#include "com/HostSettings.h"
#include "statements/RecognizeStatementFile.h"
#include "text/CString.h"

namespace
{
const LONG FileChosen = 0;
const LONG NothingChosen = 1;
}

bool ChooseStatementFile(char (&path)[StatementPathSize])
{
    ComPtr<IVornStatementFileSelector> selector = CreateHostComponent<IVornStatementFileSelector>(
        CLSID_VornStatementFileSelector, IID_IVornStatementFileSelector);
    CHostSettings settings;
    path[0] = '\0';

    // The settings component fills the block; of its layout only the first
    // field, the recognition function's address, is ours.
    unsigned char block[SelectionBlockSize];
    settings.GetStatementFileSettings(block);
    const StatementFileRecognizer recognize = &RecognizeStatementFile;
    static_assert(sizeof recognize == 4, "the block's first field holds a 32-bit address");
    memcpy(block, &recognize, sizeof recognize);

    IVornStatementFileSelector* chooser = HostComponent(selector);
    CheckHostCall(chooser->SelectStatementFile(block), chooser, IID_IVornStatementFileSelector);
    // Neither result is checked; a status that cannot be read counts as no
    // choice.
    LONG status = NothingChosen;
    chooser->GetSelectionStatus(&status);
    BStr chosen;
    chooser->GetSelectedFile(chosen.Out());

    bool result = false;
    if (status == FileChosen)
    {
        const CString chosenPath(chosen.Text());
        // A path that does not fit is refused whole, never opened cut short.
        if (chosenPath.GetLength() < StatementPathSize)
        {
            lstrcpynA(path, chosenPath.GetString(), StatementPathSize);
            result = true;
        }
    }
    selector.Reset();
    return result;
}
