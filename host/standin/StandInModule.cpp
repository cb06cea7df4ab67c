#include "standin/StandInModule.h"

namespace
{
HINSTANCE g_instance = nullptr;
volatile LONG g_lockCount = 0;
volatile LONG g_serverLocks = 0;
}

void SetStandInInstance(HINSTANCE instance)
{
    g_instance = instance;
}

HINSTANCE StandInInstance()
{
    return g_instance;
}

std::wstring StandInModulePath()
{
    wchar_t path[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(g_instance, path, MAX_PATH);
    return std::wstring(path, length < MAX_PATH ? length : 0);
}

void StandInLock()
{
    InterlockedIncrement(&g_lockCount);
}

void StandInUnlock()
{
    InterlockedDecrement(&g_lockCount);
}

void StandInLockServer()
{
    InterlockedIncrement(&g_serverLocks);
    StandInLock();
}

void StandInUnlockServer()
{
    for (;;)
    {
        const LONG seen = g_serverLocks;
        if (seen <= 0)
            return;
        if (InterlockedCompareExchange(&g_serverLocks, seen - 1, seen) == seen)
            break;
    }
    StandInUnlock();
}

LONG StandInLockCount()
{
    return g_lockCount;
}
