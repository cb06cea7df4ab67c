#include "com/ErrorReporting.h"

#include "com/ComHolders.h"

#include <stdio.h>

namespace
{
struct ErrorRow
{
    HRESULT code;
    const wchar_t* description;
};

// Searched from row 0; a code that no row holds is reported as row 0.
const ErrorRow StandardErrors[] = {
    {E_UNEXPECTED, L"Unexpected result"},
    {E_OUTOFMEMORY, L"Out of Memory"},
    {E_INVALIDARG, L"Invalid argument"},
    {E_NOTIMPL, L"Not implemented"},
    {E_NOINTERFACE, L"Interface not supported"},
};

const HRESULT ControlFailure = static_cast<HRESULT>(0x800A0000);

CreateErrorInfoFunction g_createErrorInfo = CreateErrorInfo;

// Gives the information its description and nothing else. Wine's
// CreateErrorInfo leaves the interface identifier uninitialised.
void Describe(ICreateErrorInfo* creator, const wchar_t* description)
{
    creator->SetGUID(GUID_NULL);
    creator->SetDescription(const_cast<LPOLESTR>(description));
}

// Posts the description-only error information on the calling thread.
void Post(ICreateErrorInfo* creator)
{
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(creator->QueryInterface(IID_IErrorInfo, info.OutVoid())))
        SetErrorInfo(0, info.Get());
}
}

IErrorInfo* NewErrorInfo(const wchar_t* description)
{
    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(g_createErrorInfo(creator.Out())) || !creator)
        return nullptr;
    Describe(creator.Get(), description);
    IErrorInfo* info = nullptr;
    if (FAILED(creator->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&info))))
        return nullptr;
    return info;
}

CreateErrorInfoFunction SetCreateErrorInfoFunction(CreateErrorInfoFunction function)
{
    CreateErrorInfoFunction previous = g_createErrorInfo;
    g_createErrorInfo = function ? function : CreateErrorInfo;
    return previous;
}

HRESULT ReportHResultError(HRESULT code)
{
    if (code == DISP_E_EXCEPTION)
        return code;
    if ((code & 0x1FFF0000) == 0x000A0000)
        return code;

    ComPtr<ICreateErrorInfo> creator;
    if (FAILED(g_createErrorInfo(creator.Out())) || !creator)
        return code;

    int row = 0;
    const int rows = sizeof StandardErrors / sizeof StandardErrors[0];
    for (int i = 0; i < rows; ++i)
    {
        if (StandardErrors[i].code == code)
        {
            row = i;
            break;
        }
    }
    Describe(creator.Get(), StandardErrors[row].description);
    Post(creator.Get());
    return ControlFailure | (0xFFFE - row);
}

HRESULT ReportWin32Error(DWORD code)
{
    ComPtr<ICreateErrorInfo> creator;
    const HRESULT created = g_createErrorInfo(creator.Out());
    if (FAILED(created))
        return created;
    if (!creator)
        return E_UNEXPECTED;

    LocalMemory message;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                   MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<char*>(message.Out()), 0,
                   nullptr);
    const char* text = message ? static_cast<const char*>(message.Get()) : "";
    const int wideLength = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    const LocalMemory wide(LocalAlloc(LMEM_FIXED, (wideLength > 0 ? wideLength : 1) * sizeof(wchar_t)));
    if (wide)
    {
        wchar_t* description = static_cast<wchar_t*>(wide.Get());
        description[0] = L'\0';
        if (wideLength > 0)
            MultiByteToWideChar(CP_ACP, 0, text, -1, description, wideLength);
        Describe(creator.Get(), description);
    }
    Post(creator.Get());
    return static_cast<HRESULT>(0x800AFFFF);
}

namespace ErrorReportingDetail
{
// The thrown reference is the guard's to release. The failure is described
// by the posted information, hence DISP_E_EXCEPTION.
HRESULT PostThrownErrorInfo(ICreateErrorInfo* info)
{
    ComPtr<ICreateErrorInfo> owned;
    owned.Attach(info);
    if (owned)
        Post(owned.Get());
    return DISP_E_EXCEPTION;
}

HRESULT PostHostFailure(const _com_error& failure)
{
    ComPtr<IErrorInfo> info;
    info.Attach(failure.ErrorInfo());
    if (!info)
    {
        wchar_t description[64];
        _snwprintf(description, 63, L"A call on the e-banking host failed (0x%08lX).",
                   static_cast<unsigned long>(failure.Error()));
        description[63] = L'\0';
        info.Attach(NewErrorInfo(description));
    }
    SetErrorInfo(0, info.Get());
    return DISP_E_EXCEPTION;
}
}
