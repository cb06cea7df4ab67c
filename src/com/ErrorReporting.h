// How failures cross the component's boundary. Bodies throw; a guard turns
// what was thrown into what the caller sees:
//   MethodGuard     every interface method: an HRESULT and error information
//   ResultGuard     class objects, registration and creation: a plain
//                   HRESULT, no error information
//   CallbackGuard   plain functions the host calls back: a plain value
//   CDeferredFailure  a call from the system (a dialog's messages): held and
//                   thrown again once the system's frames are left
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

#include <exception>
#include <new>

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

// Throws a failing result, as the body's own failure.
inline void ThrowIfFailed(HRESULT result)
{
    if (FAILED(result))
        throw result;
}

template <class Body>
HRESULT ResultGuard(Body&& body)
{
    try
    {
        return body();
    }
    catch (HRESULT code)
    {
        return code;
    }
    catch (DWORD code)
    {
        return HRESULT_FROM_WIN32(code);
    }
    catch (const _com_error& failure)
    {
        return failure.Error();
    }
    catch (const std::bad_alloc&)
    {
        return E_OUTOFMEMORY;
    }
    catch (...)
    {
        return E_UNEXPECTED;
    }
}

// `failed` when the body throws: nothing may unwind into a caller that knows
// no exceptions.
template <class Result, class Body>
Result CallbackGuard(Result failed, Body&& body)
{
    try
    {
        return body();
    }
    catch (...)
    {
        return failed;
    }
}

// Holds what a body throws while the system's frames lie between it and the
// caller, to be thrown again once they are left.
class CDeferredFailure
{
public:
    // False when the body threw; later bodies are not run.
    template <class Body>
    bool Run(Body&& body)
    {
        if (m_failure)
            return false;
        try
        {
            body();
            return true;
        }
        catch (...)
        {
            m_failure = std::current_exception();
            return false;
        }
    }

    bool Failed() const { return static_cast<bool>(m_failure); }

    // Throws what was held, once; nothing when nothing was.
    void Rethrow()
    {
        if (!m_failure)
            return;
        const std::exception_ptr failure = m_failure;
        m_failure = nullptr;
        std::rethrow_exception(failure);
    }

private:
    std::exception_ptr m_failure;
};

// Throws E_INVALIDARG for a missing out-pointer or argument.
template <class T>
T* RequirePointer(T* pointer)
{
    if (!pointer)
        throw E_INVALIDARG;
    return pointer;
}
