// The user's choice of a statement file, made by the host's file selection
// component with the component's recognition function.
#pragma once

// A path of at most 259 characters and its NUL.
const int StatementPathSize = 260;

// True when a file was chosen, its path then in `path` as the host gave it;
// false when none was, `path` then empty. A chosen path too long for the
// buffer is refused with ERROR_FILENAME_EXCED_RANGE, thrown as a Win32 error
// code. A failure of the settings component or the file selection component
// (or of making either) is raised as a host-call failure.
bool ChooseStatementFile(wchar_t (&path)[StatementPathSize]);
