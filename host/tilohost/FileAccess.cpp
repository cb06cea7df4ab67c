#include "tilohost/FileAccess.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "tilohost/Failures.h"
#include "tilohost/TextConversion.h"

namespace
{
// A text that Wine allocates on the process heap for its caller.
struct ProcessHeapTextTraits
{
    using Handle = char*;
    static Handle Empty() { return nullptr; }
    static void Close(Handle text) { HeapFree(GetProcessHeap(), 0, text); }
};
using ProcessHeapText = UniqueHandle<ProcessHeapTextTraits>;
}

PathKind KindOfPath(const std::string& path)
{
    const DWORD attributes = GetFileAttributesW(WideFromUtf8(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return PathKind::Missing;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? PathKind::Folder : PathKind::File;
}

namespace
{
std::string SystemText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' || message.back() == L' '))
        message.pop_back();
    return "system error " + std::to_string(error) + (message.empty() ? "" : ": " + Utf8FromWide(message));
}

bool Openable(const std::wstring& path, DWORD access, DWORD& error)
{
    const FileHandle file(CreateFileW(path.c_str(), access,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    error = file ? ERROR_SUCCESS : GetLastError();
    return static_cast<bool>(file);
}
}

std::string WhyNotWritable(const std::string& path)
{
    const std::wstring wide = WideFromUtf8(path);
    DWORD error = ERROR_SUCCESS;
    if (Openable(wide, GENERIC_WRITE, error))
        return std::string();
    if (error != ERROR_FILE_NOT_FOUND)
        return SystemText(error);
    const size_t slash = wide.find_last_of(L"\\/");
    // The folder is only looked at: what may be made in it is not tried.
    if (slash == std::wstring::npos || Openable(wide.substr(0, slash + 1), FILE_READ_ATTRIBUTES, error))
        return std::string();
    return SystemText(error);
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
    if (!StdioFile(_wfopen(WideFromUtf8(path).c_str(), L"rb")))
        throw BadInput("cannot be opened");
    std::string bytes;
    if (!ReadFileStart(path, static_cast<size_t>(-1), bytes))
        throw BadInput("cannot be read");
    return bytes;
}

bool ReadFileStart(const std::string& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    const StdioFile file(_wfopen(WideFromUtf8(path).c_str(), L"rb"));
    if (!file)
        return false;
    char buffer[65536];
    size_t count;
    while (bytes.size() < limit &&
           (count = fread(buffer, 1, std::min(sizeof buffer, limit - bytes.size()), file.Get())) > 0)
        bytes.append(buffer, count);
    return ferror(file.Get()) == 0;
}

bool SizeOfFile(const std::string& path, unsigned long long& size)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;
    size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

OutputFile::OutputFile(const std::string& path, const char* what) : m_path(path)
{
    if (m_path.empty())
        return;
    m_file.Reset(_wfopen(WideFromUtf8(m_path).c_str(), L"wb"));
    if (!m_file)
        throw BadInput(m_path + ": the " + what + " cannot be created");
}

bool OutputFile::Append(const std::string& text)
{
    if (!m_file)
        return !Wanted();
    return fwrite(text.data(), 1, text.size(), m_file.Get()) == text.size();
}

bool OutputFile::Write(const std::string& text)
{
    if (!m_file)
        return !Wanted();
    FILE* file = m_file.Detach();
    // Flushed and checked before the close: a runtime's fclose may not
    // report that its last buffer could not be written.
    bool written = fwrite(text.data(), 1, text.size(), file) == text.size();
    if (fflush(file) != 0 || ferror(file) != 0)
        written = false;
    if (fclose(file) != 0)
        written = false;
    return written;
}

namespace
{
struct FileIdentity
{
    bool known = false;
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
};

FileIdentity IdentityOf(const std::string& path)
{
    FileIdentity identity;
    const FileHandle file(CreateFileW(WideFromUtf8(path).c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (file && GetFileInformationByHandle(file.Get(), &information))
    {
        identity.known = true;
        identity.volume = information.dwVolumeSerialNumber;
        identity.indexHigh = information.nFileIndexHigh;
        identity.indexLow = information.nFileIndexLow;
    }
    return identity;
}

bool SameFile(const std::string& first, const std::string& second)
{
    const FileIdentity one = IdentityOf(first);
    const FileIdentity other = IdentityOf(second);
    if (one.known && other.known)
        return one.volume == other.volume && one.indexHigh == other.indexHigh && one.indexLow == other.indexLow;
    return lstrcmpiW(WideFromUtf8(FullPath(first)).c_str(), WideFromUtf8(FullPath(second)).c_str()) == 0;
}
}

void CheckFilesApart(const std::vector<NamedPath>& files)
{
    for (size_t later = 1; later < files.size(); ++later)
    {
        for (size_t earlier = 0; earlier < later; ++earlier)
        {
            if (!files[later].path.empty() && !files[earlier].path.empty() &&
                SameFile(files[later].path, files[earlier].path))
                throw BadInput(files[later].path + ": the " + files[later].what + " would be written over the " +
                               files[earlier].what);
        }
    }
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
    const ProcessHeapText unixPath(convert(WideFromUtf8(FullPath(path)).c_str()));
    return unixPath ? std::string(unixPath.Get()) : std::string();
}
