// Files of a test's own in the temporary folder: made empty or with the bytes
// given, deleted when the test is done with them; and reading any file back
// byte for byte.
#pragma once

#include <string>

class TemporaryFile
{
public:
    TemporaryFile();
    // A file holding exactly these bytes.
    explicit TemporaryFile(const std::string& content);
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The full Windows path.
    const char* Path() const { return m_path.c_str(); }
    // The same path as a wide text.
    std::wstring WidePath() const { return std::wstring(m_path.begin(), m_path.end()); }
    // Every byte of the file as it lies on disk.
    std::string ReadBytes() const;

private:
    std::string m_path;
};

// Every byte of a file; empty when it cannot be read.
std::string FileBytes(const std::string& path);
