// Every interface method of the component runs its body under MethodGuard:
// bodies throw, and the guard turns what was thrown into the HRESULT and the
// error information that the caller sees.
//
// What a body may throw, in the order the guard tests for it:
//   _com_error          a failed call on a host component (see HostComponent.h)
//   HRESULT             the body's own failure code (a signed 32-bit value)
//   DWORD               a Win32 error code (an unsigned 32-bit value)
//   ICreateErrorInfo*   error information, handed over to the guard
//   anything else       reported as E_UNEXPECTED
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <comdef.h>

// Reports an HRESULT code through the standard error table: posts the row's
// description and gives 0x800A0000 | (0xFFFE - row). DISP_E_EXCEPTION and
// codes of FACILITY_CONTROL pass through unchanged, posting nothing.
HRESULT ReportHResultError(HRESULT code);

// Reports a Win32 error code with the system's text for it; gives 0x800AFFFF.
HRESULT ReportWin32Error(DWORD code);

// The error-information object is made through this function; tests replace
// it to see what happens when that fails. Gives the previous function.
using CreateErrorInfoFunction = HRESULT(WINAPI*)(ICreateErrorInfo**);
CreateErrorInfoFunction SetCreateErrorInfoFunction(CreateErrorInfoFunction function);

// New description-only error information for a failure to carry (a
// reference for the caller), or null when it cannot be made.
IErrorInfo* NewErrorInfo(const wchar_t* description);

namespace ErrorReportingDetail
{
HRESULT PostThrownErrorInfo(ICreateErrorInfo* info);
HRESULT PostHostFailure(const _com_error& failure);
}

template <class Body>
HRESULT MethodGuard(Body&& body)
{
    try
    {
        return body();
    }
    catch (const _com_error& failure)
    {
        // Posts the failure's own description, never a stale one.
        return ErrorReportingDetail::PostHostFailure(failure);
    }
    catch (HRESULT code)
    {
        return ReportHResultError(code);
    }
    catch (DWORD code)
    {
        return ReportWin32Error(code);
    }
    catch (ICreateErrorInfo* info)
    {
        return ErrorReportingDetail::PostThrownErrorInfo(info);
    }
    catch (...)
    {
        return E_UNEXPECTED;
    }
}

// Throws E_INVALIDARG for a missing out-pointer or argument.
template <class T>
T* RequirePointer(T* pointer)
{
    if (!pointer)
        throw E_INVALIDARG;
    return pointer;
}
