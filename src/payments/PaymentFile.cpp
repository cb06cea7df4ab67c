#include "payments/PaymentFile.h"

#include <io.h>

#include "com/ComHolders.h"

namespace
{
FileIdentity IdentityOfHandle(HANDLE handle)
{
    FileIdentity identity;
    BY_HANDLE_FILE_INFORMATION information;
    if (handle == INVALID_HANDLE_VALUE || !GetFileInformationByHandle(handle, &information))
        return identity;
    identity.volumeSerialNumber = information.dwVolumeSerialNumber;
    identity.fileIndexHigh = information.nFileIndexHigh;
    identity.fileIndexLow = information.nFileIndexLow;
    identity.known = true;
    return identity;
}
}

bool IsSameFile(const FileIdentity& one, const FileIdentity& other)
{
    return one.known && other.known && one.volumeSerialNumber == other.volumeSerialNumber &&
           one.fileIndexHigh == other.fileIndexHigh && one.fileIndexLow == other.fileIndexLow;
}

FileIdentity IdentityOfPath(const char* path)
{
    const FileHandle file(CreateFileA(path, FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return IdentityOfHandle(file.Get());
}

CPaymentFile::~CPaymentFile()
{
    Close();
}

bool CPaymentFile::Open(const char* path)
{
    Close();
    m_identity = FileIdentity();
    m_file = fopen(path, "w+");
    if (!m_file)
        return false;
    m_identity = IdentityOfHandle(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_file))));
    return true;
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
