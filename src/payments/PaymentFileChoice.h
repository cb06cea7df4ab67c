// Where the payment file goes: the save dialog that asks the user for it,
// and its list of file types.
#pragma once

#include <windows.h>

const int SaveFilterSize = 1024;

// "Payment Files (*.ext)|*.ext|All Files (*.*)|*.*||", or the All Files
// entry alone when there is no extension, with every '|' turned into NUL:
// the double-NUL-terminated pairs of description and pattern that the save
// dialog takes.
void BuildSaveFilter(const char* extension, char (&filter)[SaveFilterSize]);

// Shows the save dialog owned by the active window, offering `defaultPath`
// (cut to MAX_PATH - 1 characters) and adding `extension` to a name typed
// without one. False when the user cancels or the dialog fails.
bool ChoosePaymentFile(const char* defaultPath, const char* extension, const char* filter,
                       char (&chosenPath)[MAX_PATH]);
