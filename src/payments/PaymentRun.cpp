#include "payments/PaymentRun.h"

#include "com/ErrorReporting.h"
#include "com/HostSettings.h"
#include "dialog/DefaultPaymentPath.h"
#include "dialog/PayInfoDialog.h"
#include "dialog/SettingsStorage.h"
#include "com/ComModule.h"
#include "payments/PaymentBatchWriting.h"
#include "com/HostPayments.h"
#include "payments/PaymentFile.h"
#include "payments/PaymentFileChoice.h"
#include "payments/SettingsKeySuffix.h"
#include "payments/VirtualStore.h"
#include "resources/resource.h"

namespace
{
const int DefaultPathSize = 1024;

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

    CPaymentFile file;
    if (!file.Open(chosenPath) && (elevated || !hasVirtualStore || !file.Open(virtualStorePath)))
    {
        status = RunFileFailed;
        return S_OK;
    }
    const HRESULT result = WritePaymentBatch(file, payments, count, choices, chosenPath, status);
    if (!file.Close())
        status = RunFileFailed;

    // Asked only when the file in the virtual store is the one this run
    // wrote, whether Windows redirected the write or the run fell back to it;
    // an older file there is not this run's.
    if (!elevated && hasVirtualStore && IsSameFile(file.Identity(), IdentityOfPath(virtualStorePath)))
        OfferRedirectedFolder(virtualStorePath);
    return result;
}
