#include "engine/RewrittenFile.h"

#include <stdexcept>

RewrittenFile::RewrittenFile(const std::string& path)
    : m_path(path),
      m_handle(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr))
{
    if (m_handle == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot make " + path);
}

RewrittenFile::~RewrittenFile()
{
    CloseHandle(m_handle);
}

void RewrittenFile::Write(const std::string& bytes)
{
    DWORD written = 0;
    if (SetFilePointer(m_handle, 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER ||
        !WriteFile(m_handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size() || !SetEndOfFile(m_handle))
        throw std::runtime_error("cannot write " + m_path);
}
