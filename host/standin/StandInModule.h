// The stand-in DLL's instance and lock count (live objects and server locks).
#pragma once

#include <windows.h>

#include <string>

void SetStandInInstance(HINSTANCE instance);
HINSTANCE StandInInstance();

// The DLL's full path, as COM and the type library registration need it.
std::wstring StandInModulePath();

void StandInLock();
void StandInUnlock();
LONG StandInLockCount();

// Server locks; an unlock without a lock to undo changes nothing.
void StandInLockServer();
void StandInUnlockServer();
