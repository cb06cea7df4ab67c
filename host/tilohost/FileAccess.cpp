#include "FileAccess.h"

#include <windows.h>

#include <cstdio>

#include "Failures.h"
#include "TextConversion.h"

PathKind KindOfPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
}

std::string ReadWholeFile(const std::string& path)
{
    switch (KindOfPath(path))
    {
    case PathKind::Missing:
        throw BadInput("no such file");
    case PathKind::Folder:
        throw BadInput("a folder, not a file");
    case PathKind::File:
        break;
    }
    FILE* file = _wfopen(WideFromUtf8(path).c_str(), L"rb");
    if (!file)
        throw BadInput("cannot be opened");
    std::string bytes;
    char buffer[65536];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    const bool failed = ferror(file) != 0;
    fclose(file);
    if (failed)
        throw BadInput("cannot be read");
    return bytes;
}

FILE* CreateOutputFile(const std::string& path)
{
    return _wfopen(WideFromUtf8(path).c_str(), L"wb");
}

std::string FullPath(const std::string& path)
{
    const std::wstring wide = WideFromUtf8(path);
    wchar_t full[MAX_PATH * 2] = {};
    const DWORD length = GetFullPathNameW(wide.c_str(), MAX_PATH * 2, full, nullptr);
    if (length == 0 || length >= MAX_PATH * 2)
        return path;
    return Utf8FromWide(full);
}

std::string UnixPathOf(const std::string& path)
{
    // Wine's own export; Windows has none.
    using UnixFileName = char*(CDECL*)(const wchar_t*);
    const HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const auto convert = reinterpret_cast<UnixFileName>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (!convert)
        return std::string();
    char* unixPath = convert(WideFromUtf8(FullPath(path)).c_str());
    if (!unixPath)
        return std::string();
    std::string result = unixPath;
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}
