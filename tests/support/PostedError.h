// The error information posted on the test thread, as the host reads it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

struct PostedError
{
    bool posted = false;
    std::wstring description;
    // Empty unless the poster set them.
    std::wstring source;
    std::wstring helpFile;
    DWORD helpContext = 0;
    GUID interfaceId = GUID_NULL;
};

// Takes the thread's error information (GetErrorInfo clears it).
PostedError TakePostedError();

// Clears the thread's error information.
void ClearPostedError();

// The system's message text for a Win32 error code, as a host should read it
// in the component's error information.
std::wstring SystemMessage(DWORD code);
