// A file that a driver fills with every input for the code under test to
// open by its path. It stays open, sharing reading and writing, so a new
// content costs a seek, a write and a truncation: under Wine, creating the
// file anew for every input would cost more than the code under test.
#pragma once

#include <windows.h>

#include <string>

class RewrittenFile
{
public:
    // Throws std::runtime_error when the file cannot be made.
    explicit RewrittenFile(const std::string& path);
    RewrittenFile(const RewrittenFile&) = delete;
    RewrittenFile& operator=(const RewrittenFile&) = delete;
    ~RewrittenFile();

    const std::string& Path() const { return m_path; }

    // The file holds exactly these bytes afterwards.
    void Write(const std::string& bytes);

private:
    std::string m_path;
    HANDLE m_handle;
};
