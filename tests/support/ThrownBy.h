// The HRESULT that code of the component throws (its functions below the
// method guard throw failures), or S_OK when the action throws none.
#pragma once

#include <windows.h>
#include <comdef.h>

#include <string>

template <class Action>
HRESULT ThrownBy(Action&& action)
{
    try
    {
        action();
    }
    catch (HRESULT code)
    {
        return code;
    }
    return S_OK;
}

// A failure raised as a host call's (_com_error), with its description.
struct RaisedFailure
{
    HRESULT result = S_OK;
    std::wstring description;
};

template <class Action>
RaisedFailure RaisedBy(Action&& action)
{
    RaisedFailure raised;
    try
    {
        action();
    }
    catch (const _com_error& error)
    {
        raised.result = error.Error();
        if (IErrorInfo* info = error.ErrorInfo())
        {
            BSTR text = nullptr;
            info->GetDescription(&text);
            raised.description = text ? text : L"";
            SysFreeString(text);
            info->Release();
        }
    }
    return raised;
}
