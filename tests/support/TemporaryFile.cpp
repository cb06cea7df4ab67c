#include "support/TemporaryFile.h"

#include <windows.h>

#include <stdio.h>

#include <stdexcept>

TemporaryFile::TemporaryFile()
{
    char folder[MAX_PATH];
    char path[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "vrn", 0, path))
        throw std::runtime_error("no temporary file");
    m_path = path;
}

TemporaryFile::TemporaryFile(const std::string& content) : TemporaryFile()
{
    FILE* file = fopen(m_path.c_str(), "wb");
    const bool written = file && fwrite(content.data(), 1, content.size(), file) == content.size();
    if (file)
        fclose(file);
    if (!written)
        throw std::runtime_error("temporary file not written");
}

TemporaryFile::~TemporaryFile()
{
    DeleteFileA(m_path.c_str());
}

std::string TemporaryFile::ReadBytes() const
{
    return FileBytes(m_path);
}

std::string FileBytes(const std::string& path)
{
    std::string bytes;
    FILE* file = fopen(path.c_str(), "rb");
    if (!file)
        return bytes;
    char buffer[4096];
    size_t count;
    while ((count = fread(buffer, 1, sizeof buffer, file)) > 0)
        bytes.append(buffer, count);
    fclose(file);
    return bytes;
}
