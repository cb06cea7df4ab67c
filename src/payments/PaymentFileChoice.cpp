#include "payments/PaymentFileChoice.h"

#include <commdlg.h>
#include <stdio.h>
#include <string.h>

void BuildSaveFilter(const char* extension, char (&filter)[SaveFilterSize])
{
    if (*extension)
        snprintf(filter, SaveFilterSize, "Payment Files (*.%s)|*.%s|All Files (*.*)|*.*||", extension,
                 extension);
    else
        snprintf(filter, SaveFilterSize, "All Files (*.*)|*.*||");
    const size_t length = strlen(filter);
    for (size_t index = 0; index < length; ++index)
    {
        if (filter[index] == '|')
            filter[index] = '\0';
    }
}

bool ChoosePaymentFile(const char* defaultPath, const char* extension, const char* filter,
                       char (&chosenPath)[MAX_PATH])
{
    lstrcpynA(chosenPath, defaultPath, MAX_PATH);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = chosenPath;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    return GetSaveFileNameA(&dialog) != FALSE;
}
