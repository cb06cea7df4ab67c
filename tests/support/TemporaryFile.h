// A file of its own in the temporary folder for one test, deleted when the
// test is done with it.
#pragma once

#include <string>

class TemporaryFile
{
public:
    TemporaryFile();
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The full Windows path.
    const std::string& Path() const { return m_path; }
    // Every byte of the file as it lies on disk.
    std::string ReadBytes() const;

private:
    std::string m_path;
};
