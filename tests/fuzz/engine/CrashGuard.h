// Keeps the input being run where a crash, a hang or the end of the process
// through std::terminate or abort can find it, and leaves it behind in the
// findings folder (crash-<hash>, hang-<hash>, abort-<hash>) with a text file
// (<same name>.about) saying what happened, before the process ends.
#pragma once

#include <windows.h>

#include <string>

// Process exit codes that tell a caller why a fuzz run ended early.
const int ExitCrashed = 3;
const int ExitHung = 4;
const int ExitHeapBroken = 5;

// Installs the unhandled-exception filter, the terminate and abort handlers
// and the hang watchdog (an input running longer than hangSeconds).
void InstallCrashGuard(const std::string& findingsFolder, const std::string& extension, DWORD hangSeconds);

// Brackets the run of one input; the bytes must live until InputDone.
void InputStarts(const std::string& input);
void InputDone();

// Saves the input with a description as <prefix>-<hash><extension> and
// <prefix>-<hash>.about; gives the input's file name. Usable from a handler:
// it allocates nothing.
void SaveFinding(const char* prefix, const std::string& input, const char* description, char* savedName,
                 size_t savedNameSize);

// True when every heap of the process passes HeapValidate.
bool HeapsAreValid();
