// The user's choice of a statement file, made by the host's file selection
// component with the component's recognition function.
#pragma once

// A path of at most 259 characters and its NUL.
const int StatementPathSize = 260;

// True when a file was chosen, its path (ANSI code page) then in `path`;
// false when none was, or when the chosen path is too long for the buffer,
// `path` then empty. A failure of the settings component or the file
// selection component (or of making either) is raised as a host-call
// failure.
bool ChooseStatementFile(char (&path)[StatementPathSize]);
