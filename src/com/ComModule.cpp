#include "com/ComModule.h"

namespace
{
HINSTANCE g_instance = nullptr;
volatile LONG g_lockCount = 0;
volatile LONG g_serverLocks = 0;

// Lowers the count unless it is 0; true when it was lowered.
bool DecrementAboveZero(volatile LONG& count)
{
    for (;;)
    {
        const LONG seen = count;
        if (seen <= 0)
            return false;
        if (InterlockedCompareExchange(&count, seen - 1, seen) == seen)
            return true;
    }
}
}

HINSTANCE ModuleInstance()
{
    return g_instance ? g_instance : GetModuleHandleA(nullptr);
}

void SetModuleInstance(HINSTANCE instance)
{
    g_instance = instance;
}

void ModuleLock()
{
    InterlockedIncrement(&g_lockCount);
}

void ModuleUnlock()
{
    DecrementAboveZero(g_lockCount);
}

void ModuleLockServer()
{
    InterlockedIncrement(&g_serverLocks);
    ModuleLock();
}

void ModuleUnlockServer()
{
    if (DecrementAboveZero(g_serverLocks))
        ModuleUnlock();
}

LONG ModuleLockCount()
{
    return g_lockCount;
}

std::wstring ModuleFilePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(ModuleInstance(), path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}
