// The payment run behind the payment service's ProcessPayments: from the
// host's batch to the payment file on disk, with the payment dialog, the save
// dialog, the remembered texts per paying account and the virtual store of
// Windows in between.
#pragma once

#include <windows.h>
#include <stdio.h>

#include "VornBankPayments.h"
#include "VornEBanking.h"
#include "text/CString.h"

// Runs the payment run on the host's thread and leaves its PaymentRunStatus
// in `status` (the payment service's status value). Gives S_OK, S_FALSE
// when a payment failed its checks, or RunTooManyPayments (40) for a batch
// beyond MaximumPayments. Failures are thrown, as in a method body: null
// `payments` as E_INVALIDARG, the host settings component's as _com_error.
// `context` may be null.
HRESULT RunPayments(IVornPayments* payments, IVornBankContext* context, LONG& status);

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

// How opening the payment file went.
enum class PaymentFileOpening
{
    Opened,
    NotOpened,
    // Opened, but a device or a pipe, not a file on a disk: closed again.
    NotADiskFile,
};

// The payment file while the run writes it: opened in binary mode ("w+b";
// the lines carry their own CR LF), closed when its owner goes.
class CPaymentFile
{
public:
    CPaymentFile() = default;
    CPaymentFile(const CPaymentFile&) = delete;
    CPaymentFile& operator=(const CPaymentFile&) = delete;
    ~CPaymentFile();

    // Creates or empties the file. Only a disk file is a payment file.
    PaymentFileOpening Open(const char* path);
    FILE* Get() const { return m_file; }

    // The file that Open opened, also after Close; unknown before.
    const FileIdentity& Identity() const { return m_identity; }
    // The path that Open opened; empty before.
    const char* Path() const { return m_path; }

    // True once a write has failed (a full disk, say).
    bool WriteFailed() const;

    // True when everything written has reached the file.
    bool Close();

    // Closes the file and deletes it, for a file that the run could not
    // complete. False, with the system's error left for GetLastError, when it
    // cannot be deleted.
    bool Discard();

private:
    FILE* m_file = nullptr;
    FileIdentity m_identity;
    char m_path[MAX_PATH] = {};
};

struct PaymentChoices;

// Writes the batch into the opened file and completes it. A run that cannot
// finish (a write or a close that fails, a host call that fails) is undone:
// the file is deleted, status RunFileFailed, and every payment this run left
// at code 0 gets code 20 instead, as its line is in no file the bank gets. A
// failed host call is raised after that; a file that cannot be deleted is
// raised too, saying so. Otherwise as WritePaymentBatch.
HRESULT WriteAndComplete(CPaymentFile& file, IVornPayments* payments, long count, const PaymentChoices& choices,
                         const char* chosenPath, LONG& status);

// The save dialog that asks the user where the payment file goes, and its
// list of file types.
const int SaveFilterSize = 1024;

// "Payment Files (*.ext)|*.ext|All Files (*.*)|*.*||", or the All Files
// entry alone when there is no extension, with every '|' turned into NUL:
// the double-NUL-terminated pairs of description and pattern that the save
// dialog takes.
void BuildSaveFilter(const char* extension, char (&filter)[SaveFilterSize]);

// Shows the save dialog owned by the active window, offering `defaultPath`
// (cut to MAX_PATH - 1 characters) and adding `extension` to a name typed
// without one. False when the user cancels or the dialog fails.
bool ChoosePaymentFile(const char* defaultPath, const char* extension, const char* filter,
                       char (&chosenPath)[MAX_PATH]);

// File-system virtualisation: a process that is not elevated and writes into
// a protected folder has its file put into a per-user virtual store instead.
// The payment run writes there itself when the chosen file cannot be opened,
// and tells the user when the file lies there.

// True when the process may open HKEY_USERS\S-1-5-19 with full access.
bool IsElevated();

// "<local application data>\virtualstore" followed by the chosen path
// without its drive ("C:"). False, with no path, when the chosen path does
// not begin with a drive letter (a network path has no virtual store), when
// the shell gives no folder or when the path would not fit.
bool BuildVirtualStorePath(const char* chosenPath, char (&path)[MAX_PATH]);

// Tells the user, in the "Windows Redirect" question, where the file was
// saved; on Yes opens the folder that holds it.
void OfferRedirectedFolder(const char* virtualStorePath);

// The suffix of the keys under which the payment run remembers the template
// and the beneficiary reference, so that each paying bank account keeps its
// own pair: the digits of the account's sort code, "_", the account number as the host
// gives it, but for control characters and "=", which become "_". Empty when
// there is no context or the context gives no account; a failed host call is
// raised.
CString SettingsKeySuffix(IVornBankContext* context);
