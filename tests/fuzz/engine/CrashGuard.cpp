#include "engine/CrashGuard.h"

#include <signal.h>
#include <stdio.h>
#include <string.h>

#include <exception>

#include "engine/FileBytes.h"
#include "engine/FuzzRandom.h"

namespace
{
char g_folder[MAX_PATH];
char g_extension[32];
DWORD g_hangMilliseconds;

// What the main thread is running: the watchdog and the handlers read it.
const std::string* volatile g_input = nullptr;
volatile LONG g_sequence = 0;
volatile DWORD g_startTick = 0;
volatile LONG g_ending = 0;

void WriteOut(const char* text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(strlen(text)), &written, nullptr);
}

// Keeps the running input and ends the process. Only the first caller gets
// to write; a second fault while writing just ends it.
[[noreturn]] void EndWith(const char* prefix, const char* description, int exitCode)
{
    if (InterlockedExchange(&g_ending, 1) == 0)
    {
        char name[MAX_PATH] = "(no input was running)";
        const std::string* input = g_input;
        if (input)
            SaveFinding(prefix, *input, description, name, sizeof name);
        char line[1024];
        snprintf(line, sizeof line, "\nFINDING %s: %s\n  input kept in %s\n", prefix, description, name);
        WriteOut(line);
    }
    TerminateProcess(GetCurrentProcess(), exitCode);
    for (;;)
        Sleep(INFINITE);
}

LONG WINAPI OnUnhandledException(EXCEPTION_POINTERS* pointers)
{
    const EXCEPTION_RECORD* record = pointers->ExceptionRecord;
    const void* address = record->ExceptionAddress;
    char module[MAX_PATH] = "?";
    HMODULE handle = nullptr;
    DWORD_PTR offset = 0;
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           static_cast<LPCSTR>(address), &handle))
    {
        GetModuleFileNameA(handle, module, sizeof module);
        offset = reinterpret_cast<DWORD_PTR>(address) - reinterpret_cast<DWORD_PTR>(handle);
    }
    const char* moduleName = strrchr(module, '\\') ? strrchr(module, '\\') + 1 : module;
    char description[512];
    int length = snprintf(description, sizeof description, "exception 0x%08lX at %p (%s+0x%lX)",
                          static_cast<unsigned long>(record->ExceptionCode), address, moduleName,
                          static_cast<unsigned long>(offset));
    if (record->ExceptionCode == EXCEPTION_ACCESS_VIOLATION && record->NumberParameters >= 2 && length > 0)
        snprintf(description + length, sizeof description - length, ", %s address %p",
                 record->ExceptionInformation[0] == 0 ? "reading" : "writing",
                 reinterpret_cast<void*>(record->ExceptionInformation[1]));
    EndWith("crash", description, ExitCrashed);
}

void OnTerminate()
{
    EndWith("abort", "std::terminate was called", ExitCrashed);
}

void OnAbortSignal(int)
{
    EndWith("abort", "abort() was called", ExitCrashed);
}

DWORD WINAPI Watchdog(void*)
{
    LONG watched = -1;
    for (;;)
    {
        Sleep(250);
        const LONG sequence = g_sequence;
        // The same input still running since the last look: the main thread
        // is inside it and the bytes stay put.
        if (g_input && sequence == watched && GetTickCount() - g_startTick > g_hangMilliseconds)
        {
            char description[128];
            snprintf(description, sizeof description, "the input ran longer than %lu s",
                     static_cast<unsigned long>(g_hangMilliseconds / 1000));
            EndWith("hang", description, ExitHung);
        }
        watched = sequence;
    }
}
}

void InstallCrashGuard(const std::string& findingsFolder, const std::string& extension, DWORD hangSeconds)
{
    snprintf(g_folder, sizeof g_folder, "%s", findingsFolder.c_str());
    snprintf(g_extension, sizeof g_extension, "%s", extension.c_str());
    g_hangMilliseconds = hangSeconds * 1000;
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    SetUnhandledExceptionFilter(OnUnhandledException);
    std::set_terminate(OnTerminate);
    signal(SIGABRT, OnAbortSignal);
    const HANDLE thread = CreateThread(nullptr, 0, Watchdog, nullptr, 0, nullptr);
    if (thread)
        CloseHandle(thread);
}

void InputStarts(const std::string& input)
{
    g_startTick = GetTickCount();
    g_input = &input;
    InterlockedIncrement(&g_sequence);
}

void InputDone()
{
    g_input = nullptr;
}

void SaveFinding(const char* prefix, const std::string& input, const char* description, char* savedName,
                 size_t savedNameSize)
{
    const unsigned long long hash = InputHash(input.data(), input.size());
    char path[MAX_PATH * 2];
    snprintf(savedName, savedNameSize, "%s-%016llx%s", prefix, hash, g_extension);
    snprintf(path, sizeof path, "%s\\%s", g_folder, savedName);
    WriteFileBytes(path, input.data(), input.size());
    snprintf(path, sizeof path, "%s\\%s-%016llx.about", g_folder, prefix, hash);
    char text[2048];
    const int length = snprintf(text, sizeof text, "%s\r\n", description);
    WriteFileBytes(path, text, length > 0 ? (static_cast<size_t>(length) < sizeof text ? length : sizeof text - 1) : 0);
}

bool HeapsAreValid()
{
    HANDLE heaps[256];
    const DWORD count = GetProcessHeaps(256, heaps);
    for (DWORD i = 0; i < count && i < 256; ++i)
    {
        if (!HeapValidate(heaps[i], 0, nullptr))
            return false;
    }
    return true;
}
