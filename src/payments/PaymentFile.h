// The payment file while the run writes it: opened in text mode ("w+", so
// every line feed becomes CR LF), closed when its owner goes.
#pragma once

#include <windows.h>
#include <stdio.h>

// Which file a handle or a path leads to, whatever name it was reached by
// (Windows may redirect a write into the virtual store without a word).
struct FileIdentity
{
    DWORD volumeSerialNumber = 0;
    DWORD fileIndexHigh = 0;
    DWORD fileIndexLow = 0;
    bool known = false;
};

// True when both are known and name the same file.
bool IsSameFile(const FileIdentity& one, const FileIdentity& other);

// The identity of the file at the path; unknown when it cannot be opened.
FileIdentity IdentityOfPath(const char* path);

class CPaymentFile
{
public:
    CPaymentFile() = default;
    CPaymentFile(const CPaymentFile&) = delete;
    CPaymentFile& operator=(const CPaymentFile&) = delete;
    ~CPaymentFile();

    // Creates or empties the file; false when it cannot be opened.
    bool Open(const char* path);
    FILE* Get() const { return m_file; }

    // The file that Open opened, also after Close; unknown before.
    const FileIdentity& Identity() const { return m_identity; }

    // True once a write has failed (a full disk, say).
    bool WriteFailed() const;

    // True when everything written has reached the file.
    bool Close();

private:
    FILE* m_file = nullptr;
    FileIdentity m_identity;
};
