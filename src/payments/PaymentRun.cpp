#include "payments/PaymentRun.h"

#include <commdlg.h>
#include <io.h>
#include <shellapi.h>
#include <shlobj.h>
#include <stdio.h>
#include <string.h>

#include <exception>
#include <string>
#include <vector>

#include "com/ComHolders.h"
#include "com/ComModule.h"
#include "com/ErrorReporting.h"
#include "com/HostComponent.h"
#include "com/HostPayments.h"
#include "com/PaymentTypes.h"
#include "com/HostSettings.h"
#include "dialog/SettingsStorage.h"
#include "dialog/PayInfoDialog.h"
#include "payments/PaymentLines.h"
#include "resources/resource.h"
#include "text/TextNormalisers.h"

namespace
{
const int DefaultPathSize = 1024;
const int MessageSize = 1024;

// A batch beyond the limit ends the run: status and result
// RunTooManyPayments, and the user is told.
bool WithinPaymentLimit(long count, LONG& status)
{
    if (count <= MaximumPayments)
        return true;
    status = RunTooManyPayments;
    CString text;
    text.LoadString(ModuleInstance(), IDS_TOO_MANY_PAYMENTS);
    MessageBoxA(GetActiveWindow(), text.GetString(), "Vorn Tilo Online", MB_OK | MB_ICONEXCLAMATION);
    return false;
}

void TellNotADiskFile(const char* path)
{
    char message[MessageSize];
    snprintf(message, sizeof message,
             "The payment file cannot be written to %s: it is a device or a pipe, not a file on a disk. "
             "Choose a file on a disk.",
             path);
    MessageBoxA(GetActiveWindow(), message, "Vorn Tilo Online", MB_OK | MB_ICONEXCLAMATION);
}

// The payment dialog over the host's active window; false unless the user
// confirms it with OK.
bool AskPaymentChoices(IVornPayments* payments, const CString& templateName, const CString& benRef,
                       PaymentChoices& choices)
{
    CPayInfoDialog dialog(payments, templateName, benRef);
    if (dialog.ShowModal(GetActiveWindow()) != IDOK)
        return false;
    choices.processingDate = dialog.GetProcessingDate();
    choices.templateName = dialog.GetTemplate();
    choices.beneficiaryReference = dialog.GetBenRef();
    choices.format = dialog.GetFormat();
    return true;
}
}

HRESULT RunPayments(IVornPayments* payments, IVornBankContext* context, LONG& status)
{
    // A failing host object that posts nothing is never described with what
    // an earlier call left on the thread.
    SetErrorInfo(0, nullptr);
    char fileName[PaymentFileNameSize] = {};
    char extension[PaymentExtensionSize] = {};
    char directory[PaymentDirectorySize] = {};
    CHostSettings().GetPaymentFileDefaults(fileName, extension, directory);
    // The host's texts end inside their buffers, whatever it wrote.
    fileName[PaymentFileNameSize - 1] = '\0';
    extension[PaymentExtensionSize - 1] = '\0';
    directory[PaymentDirectorySize - 1] = '\0';

    char defaultPath[DefaultPathSize] = {};
    ResolveDefaultPaymentPath(fileName, directory, defaultPath, sizeof defaultPath);
    status = RunSucceeded;
    char filter[SaveFilterSize];
    BuildSaveFilter(extension, filter);

    RequirePointer(payments);
    // A host call that fails from here on leaves the run failed.
    status = RunFileFailed;
    if (!WithinPaymentLimit(CountPayments(payments), status))
        return RunTooManyPayments;

    const CString suffix = SettingsKeySuffix(context);
    const CString templateKey = CString(TemplateKeyPrefix) + suffix;
    const CString benRefKey = CString(BenRefKeyPrefix) + suffix;
    CString templateName;
    CString benRef;
    LoadSetting(templateKey, templateName);
    LoadSetting(benRefKey, benRef);

    PaymentChoices choices;
    if (!AskPaymentChoices(payments, templateName, benRef, choices))
    {
        status = RunCancelled;
        return S_OK;
    }
    char chosenPath[MAX_PATH] = {};
    if (!ChoosePaymentFile(defaultPath, extension, filter, chosenPath))
    {
        status = RunCancelled;
        return S_OK;
    }
    // Remembered before the file is opened, so they survive a failed write.
    WriteSetting(templateKey, choices.templateName.GetString());
    WriteSetting(benRefKey, choices.beneficiaryReference.GetString());

    // The count that bounds the writing is the one checked: the host's
    // collection may have grown while the dialogs were open.
    const long count = CountPayments(payments);
    if (!WithinPaymentLimit(count, status))
        return RunTooManyPayments;
    const bool elevated = IsElevated();
    char virtualStorePath[MAX_PATH] = {};
    const bool hasVirtualStore = BuildVirtualStorePath(chosenPath, virtualStorePath);

    status = RunSucceeded;
    CPaymentFile file;
    PaymentFileOpening opening = file.Open(chosenPath);
    if (opening == PaymentFileOpening::NotOpened && !elevated && hasVirtualStore)
        opening = file.Open(virtualStorePath);
    if (opening != PaymentFileOpening::Opened)
    {
        status = RunFileFailed;
        if (opening == PaymentFileOpening::NotADiskFile)
            TellNotADiskFile(chosenPath);
        return S_OK;
    }
    const HRESULT result = WriteAndComplete(file, payments, count, choices, chosenPath, status);

    // Asked only when the file in the virtual store is the one this run
    // wrote, whether Windows redirected the write or the run fell back to it;
    // an older file there is not this run's. A file that failed is not
    // "saved": the question would tell the user otherwise.
    if (SUCCEEDED(result) && status != RunFileFailed && !elevated && hasVirtualStore &&
        IsSameFile(file.Identity(), IdentityOfPath(virtualStorePath)))
        OfferRedirectedFolder(virtualStorePath);
    return result;
}

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

namespace
{
const size_t WriteBufferSize = 16 * 1024;
}

PaymentFileOpening CPaymentFile::Open(const char* path)
{
    Close();
    m_identity = FileIdentity();
    m_path[0] = '\0';
    m_file = fopen(path, "w+b");
    if (!m_file)
        return PaymentFileOpening::NotOpened;
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(m_file)));
    // NUL, CON, COM1 or a pipe open as files do, and keep nothing.
    if (GetFileType(handle) != FILE_TYPE_DISK)
    {
        Close();
        return PaymentFileOpening::NotADiskFile;
    }
    lstrcpynA(m_path, path, MAX_PATH);
    // A batch goes to the system in a few large writes, not one per few
    // lines.
    setvbuf(m_file, nullptr, _IOFBF, WriteBufferSize);
    m_identity = IdentityOfHandle(handle);
    return PaymentFileOpening::Opened;
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

bool CPaymentFile::Discard()
{
    Close();
    if (!m_path[0])
        return true;
    if (!DeleteFileA(m_path))
        return false;
    m_path[0] = '\0';
    return true;
}

namespace
{
// No payment keeps the 0 that this run gave it: its line is in no file.
void RejectProcessedPayments(const std::vector<CHostPayment>& begun)
{
    for (const CHostPayment& payment : begun)
    {
        if (payment.CodeSet() == StatusProcessed)
            payment.SetStatusCode(StatusBatchRejected);
    }
}

// The description that a failure carries; empty when it carries none.
std::wstring DescriptionOf(const std::exception_ptr& failure)
{
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const _com_error& error)
    {
        IErrorInfo* info = error.ErrorInfo();
        BStr description;
        if (info)
        {
            info->GetDescription(description.Out());
            info->Release();
        }
        return description.Text();
    }
    catch (...)
    {
        return std::wstring();
    }
}

HRESULT ResultOf(const std::exception_ptr& failure, DWORD error)
{
    try
    {
        std::rethrow_exception(failure);
    }
    catch (const _com_error& raised)
    {
        return raised.Error();
    }
    catch (...)
    {
        return HRESULT_FROM_WIN32(error);
    }
}

// Undoes a run that cannot finish; throws `failure` (null when the file
// alone failed), or, when the file cannot be deleted, a failure that says so.
void UndoRun(CPaymentFile& file, const std::vector<CHostPayment>& begun, std::exception_ptr failure)
{
    char path[MAX_PATH];
    lstrcpynA(path, file.Path(), MAX_PATH);
    const bool deleted = file.Discard();
    const DWORD error = deleted ? ERROR_SUCCESS : GetLastError();
    try
    {
        RejectProcessedPayments(begun);
    }
    catch (...)
    {
        // The first failure is the one the caller is told of.
        if (!failure)
            failure = std::current_exception();
    }
    if (!deleted)
    {
        const std::wstring before = failure ? DescriptionOf(failure) + L" " : std::wstring();
        wchar_t description[MessageSize];
        _snwprintf(description, MessageSize - 1,
                   L"%lsThe payment file could not be completed and could not be deleted: %hs (error %lu).",
                   before.c_str(), path, static_cast<unsigned long>(error));
        description[MessageSize - 1] = L'\0';
        RaiseDescribedFailure(failure ? ResultOf(failure, error) : HRESULT_FROM_WIN32(error), description);
    }
    if (failure)
        std::rethrow_exception(failure);
}
}

HRESULT WriteAndComplete(CPaymentFile& file, IVornPayments* payments, long count, const PaymentChoices& choices,
                         const char* chosenPath, LONG& status)
{
    std::vector<CHostPayment> begun;
    HRESULT result = S_OK;
    try
    {
        result = WritePaymentBatch(file, payments, count, choices, chosenPath, status, begun);
    }
    catch (...)
    {
        status = RunFileFailed;
        UndoRun(file, begun, std::current_exception());
    }
    if (!file.Close())
        status = RunFileFailed;
    if (status == RunFileFailed)
        UndoRun(file, begun, nullptr);
    return result;
}

void BuildSaveFilter(const char* extension, char (&filter)[SaveFilterSize])
{
    if (*extension)
        snprintf(filter, SaveFilterSize, "Payment Files (*.%s)|*.%s|All Files (*.*)|*.*||", extension,
                 extension);
    else
        snprintf(filter, SaveFilterSize, "All Files (*.*)|*.*||");
    const size_t length = strlen(filter);
    for (size_t index = 0; index < length; ++index)
    {
        if (filter[index] == '|')
            filter[index] = '\0';
    }
}

bool ChoosePaymentFile(const char* defaultPath, const char* extension, const char* filter,
                       char (&chosenPath)[MAX_PATH])
{
    lstrcpynA(chosenPath, defaultPath, MAX_PATH);
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = GetActiveWindow();
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = chosenPath;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER | OFN_ENABLESIZING;
    return GetSaveFileNameA(&dialog) != FALSE;
}

namespace
{
const char VirtualStoreFolder[] = "virtualstore";
const int RedirectMessageSize = 1024;
}

bool IsElevated()
{
    RegistryKey key;
    return RegOpenKeyExA(HKEY_USERS, "S-1-5-19", 0, KEY_ALL_ACCESS, key.Out()) == ERROR_SUCCESS;
}

namespace
{
bool HasDriveLetter(const char* path)
{
    const char letter = path[0];
    return ((letter >= 'A' && letter <= 'Z') || (letter >= 'a' && letter <= 'z')) && path[1] == ':' &&
           (path[2] == '\\' || path[2] == '/');
}
}

bool BuildVirtualStorePath(const char* chosenPath, char (&path)[MAX_PATH])
{
    path[0] = '\0';
    if (!HasDriveLetter(chosenPath))
        return false;
    char localAppData[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, localAppData)))
        return false;
    const char* withoutDrive = chosenPath + 2;
    const int length = snprintf(path, MAX_PATH, "%s\\%s%s", localAppData, VirtualStoreFolder, withoutDrive);
    if (length < 0 || length >= MAX_PATH)
    {
        path[0] = '\0';
        return false;
    }
    return true;
}

void OfferRedirectedFolder(const char* virtualStorePath)
{
    char message[RedirectMessageSize];
    snprintf(message, sizeof message, "%s: %s\n\n%s", "Due to Windows Redirect your file was saved to",
             virtualStorePath, "Would you like to open the directory?");
    if (MessageBoxA(nullptr, message, "Windows Redirect", MB_YESNO) != IDYES)
        return;
    char folder[MAX_PATH];
    lstrcpynA(folder, virtualStorePath, MAX_PATH);
    if (char* lastBackslash = strrchr(folder, '\\'))
        *lastBackslash = '\0';
    ShellExecuteA(nullptr, "open", folder, nullptr, nullptr, SW_SHOWDEFAULT);
}

namespace
{
// The key shares its file with the host's own settings: a line break would
// start lines of its own (even a section), and an "=" would end the key
// early, so such a value could never be read back. Both become "_".
CString KeySafe(const CString& text)
{
    CString safe;
    for (const char* ch = text.GetString(); *ch; ++ch)
    {
        const unsigned char code = static_cast<unsigned char>(*ch);
        const char kept = code < 0x20 || code == 0x7F || code == '=' ? '_' : *ch;
        safe.AppendBytes(&kept, 1);
    }
    return safe;
}
}

CString SettingsKeySuffix(IVornBankContext* context)
{
    if (!context)
        return CString();
    ComPtr<IVornBankAccount> account;
    CheckHostObjectCall(context->GetBankAccount(account.Out()), context, L"GetBankAccount");
    // A host that reports success but hands out no account has none.
    if (!account)
        return CString();

    BStr sortCode;
    CheckHostObjectCall(account->GetBankSortCode(sortCode.Out()), account.Get(), L"GetBankSortCode");
    BStr accountNumber;
    CheckHostObjectCall(account->GetBankAccountNumber(accountNumber.Out()), account.Get(),
                        L"GetBankAccountNumber");
    CString suffix = DigitsOf(sortCode.Get()).GetString();
    suffix.Append("_");
    suffix.Append(KeySafe(CString(accountNumber.Text())));
    return suffix;
}
