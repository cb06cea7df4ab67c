#include "support/ComponentObjects.h"

IUnknown* IdentityOf(IUnknown* object)
{
    IUnknown* identity = nullptr;
    if (FAILED(object->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity))))
        return nullptr;
    identity->Release();
    return identity;
}

HRESULT InvokeByName(IDispatch* object, const wchar_t* name, VARIANT* result, EXCEPINFO* exception,
                     VARIANT* argument)
{
    DISPID id = DISPID_UNKNOWN;
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    const HRESULT found = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
    if (FAILED(found))
        return found;
    DISPPARAMS parameters = {argument, nullptr, argument ? 1u : 0u, 0};
    UINT argumentError = 0;
    return object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &parameters, result, exception,
                          &argumentError);
}

std::wstring TextOf(HRESULT result, const BStr& text)
{
    return SUCCEEDED(result) ? std::wstring(text.Text(), text.Length()) : std::wstring(L"<failed>");
}
