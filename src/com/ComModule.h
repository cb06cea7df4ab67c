// Module-wide state: the instance handle (for resources) and the lock count
// that decides whether the module may be unloaded.
#pragma once

#include <windows.h>

#include <string>

// The module's instance: the DLL's once it is loaded, otherwise the program
// that links the component's code (tests).
HINSTANCE ModuleInstance();
void SetModuleInstance(HINSTANCE instance);

// Live objects, class objects held outside the module and server locks.
void ModuleLock();
void ModuleUnlock();
LONG ModuleLockCount();

// A server lock of IClassFactory::LockServer. Unlocking without a lock to
// undo changes nothing: a caller's stray unlock must not let the module go
// while its objects live.
void ModuleLockServer();
void ModuleUnlockServer();

// The full path of the module's file (the DLL's, or the test program's).
std::wstring ModuleFilePath();
