#include "payments/PaymentFile.h"

CPaymentFile::~CPaymentFile()
{
    Close();
}

bool CPaymentFile::Open(const char* path)
{
    Close();
    m_file = fopen(path, "w+");
    return m_file != nullptr;
}

bool CPaymentFile::WriteFailed() const
{
    return m_file && ferror(m_file) != 0;
}

bool CPaymentFile::Close()
{
    if (!m_file)
        return true;
    // Flushed here, not left to fclose: a C runtime may drop the failure of
    // the last buffer's write from fclose's result.
    const bool written = fflush(m_file) == 0 && !WriteFailed();
    const bool closed = fclose(m_file) == 0;
    m_file = nullptr;
    return written && closed;
}
