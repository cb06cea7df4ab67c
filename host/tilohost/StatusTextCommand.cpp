// tilohost status-text: the payment service's text for a status code.
#include "Commands.h"

#include "ComponentServices.h"
#include "ConsoleOutput.h"
#include "TextConversion.h"

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
    return SUCCEEDED(result) ? 0 : 1;
}
