#include "support/WindowTest.h"

#include <windows.h>

bool HasDisplay()
{
    const auto wineVersion = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version");
    if (!wineVersion)
        return true;
    char display[256];
    const DWORD length = GetEnvironmentVariableA("DISPLAY", display, sizeof display);
    return length > 0 && length < sizeof display;
}

void WindowTest::SetUp()
{
    if (!HasDisplay())
        FAIL() << "needs a display (run under xvfb-run)";
}
