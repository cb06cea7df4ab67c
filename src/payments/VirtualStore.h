// File-system virtualisation: a process that is not elevated and writes into
// a protected folder has its file put into a per-user virtual store instead.
// The payment run writes there itself when the chosen file cannot be opened,
// and tells the user when the file lies there.
#pragma once

#include <windows.h>

// True when the process may open HKEY_USERS\S-1-5-19 with full access.
bool IsElevated();

// "<local application data>\virtualstore" followed by the chosen path
// without its drive ("C:"). False, with no path, when the chosen path does
// not begin with a drive letter (a network path has no virtual store), when
// the shell gives no folder or when the path would not fit.
bool BuildVirtualStorePath(const char* chosenPath, char (&path)[MAX_PATH]);

// Tells the user, in the "Windows Redirect" question, where the file was
// saved; on Yes opens the folder that holds it.
void OfferRedirectedFolder(const char* virtualStorePath);
