#include "engine/FileBytes.h"

#include <windows.h>

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file, buffer, sizeof buffer, &got, nullptr)) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return read;
}

bool WriteFileBytes(const char* path, const void* data, size_t length)
{
    // Opening the file as it is and cutting it after the bytes costs less
    // under Wine than creating it anew.
    const HANDLE file =
        CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool done =
        WriteFile(file, data, static_cast<DWORD>(length), &written, nullptr) && written == length && SetEndOfFile(file);
    return CloseHandle(file) && done;
}
