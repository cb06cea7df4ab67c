// tilohost status-text: the payment service's text for a status code, or
// for every code that has one.
#include "tilohost/Commands.h"

#include "tilohost/ComponentServices.h"
#include "tilohost/ConsoleOutput.h"
#include "tilohost/ExitStatus.h"
#include "tilohost/Failures.h"
#include "tilohost/TextConversion.h"

namespace
{
// Every code below this is asked for; the component's codes lie well
// inside it.
const long CodesAsked = 100;
}

int ShowStatusText(long code)
{
    const ComPtr<IVornBankPaymentService> service = FindPaymentService();
    BStr text;
    const HRESULT result = service->GetPaymentStatusText(code, text.Out());
    const std::string error = FAILED(result) ? TakeErrorDescription() : std::string();
    if (SUCCEEDED(result))
        PrintLine(text.Get() ? std::to_string(code) + ": " + Utf8FromWide(text.Text())
                             : std::to_string(code) + ": (no text)");
    PrintLine("HRESULT: " + DescribeHResult(result) + (error.empty() ? "" : ": " + error));
    return SUCCEEDED(result) ? ExitDone : ExitCallFailed;
}

int ShowEveryStatusText()
{
    const ComPtr<IVornBankPaymentService> service = FindPaymentService();
    PrintLine("Payment status codes and their texts (GetPaymentStatusText):");
    for (long code = 0; code < CodesAsked; ++code)
    {
        BStr text;
        const HRESULT result = service->GetPaymentStatusText(code, text.Out());
        if (FAILED(result))
        {
            const std::string error = TakeErrorDescription();
            throw ComponentCallFailed("GetPaymentStatusText(" + std::to_string(code) + ")" +
                                     (error.empty() ? "" : ": " + error),
                                 result);
        }
        if (text.Get())
            PrintLine(PadLeft(std::to_string(code), 4) + "  " + Utf8FromWide(text.Text()));
    }
    return ExitDone;
}
