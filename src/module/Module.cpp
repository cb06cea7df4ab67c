#include "module/Module.h"

namespace
{
HINSTANCE g_instance = nullptr;
volatile LONG g_lockCount = 0;
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
    InterlockedDecrement(&g_lockCount);
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
