// The HRESULT that code of the component throws (its functions below the
// method guard throw failures), or S_OK when the action throws none.
#pragma once

#include <windows.h>

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
