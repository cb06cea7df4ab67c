// The payment file while the run writes it: opened in text mode ("w+", so
// every line feed becomes CR LF), closed when its owner goes.
#pragma once

#include <stdio.h>

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

    // True once a write has failed (a full disk, say).
    bool WriteFailed() const;

    // True when everything written has reached the file.
    bool Close();

private:
    FILE* m_file = nullptr;
};
