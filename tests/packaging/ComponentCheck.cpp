// component_check: what a host meets of the component wherever it was
// installed, through COM alone: the type library found by its LIBID, the
// bank made by its ProgID and asked its name early bound (through IBank) and
// late bound (IDispatch by name), and the file the bank came from. Prints
// one line per finding; exits 0 when every one holds, 1 otherwise.
#include <windows.h>
#include <oleauto.h>

#include <cstdio>
#include <string>

#include "VornTiloOnline.h"
#include "com/ComHolders.h"

namespace
{
const wchar_t BankProgId[] = L"VornTiloOnline.Bank.1";
const wchar_t BankName[] = L"Tilo Online";

std::string Narrow(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string narrow(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &narrow[0], size, nullptr,
                        nullptr);
    return narrow;
}

bool Holds(const char* what, HRESULT result, const std::wstring& found = std::wstring())
{
    if (FAILED(result))
    {
        std::printf("%s: failed, 0x%08lX\n", what, static_cast<unsigned long>(result));
        return false;
    }
    std::printf("%s: %s\n", what, Narrow(found).c_str());
    return true;
}

bool NameIs(const char* what, HRESULT result, const wchar_t* name)
{
    if (SUCCEEDED(result) && lstrcmpW(name, BankName) != 0)
    {
        std::printf("%s: \"%s\", not \"%s\"\n", what, Narrow(name).c_str(), Narrow(BankName).c_str());
        return false;
    }
    return Holds(what, result, name);
}

bool TypeLibraryLoads()
{
    ComPtr<ITypeLib> library;
    BStr path;
    HRESULT result = LoadRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, library.Out());
    if (SUCCEEDED(result))
        result = QueryPathOfRegTypeLib(LIBID_VORNTILOONLINELib, 1, 0, 0x409, path.Out());
    return Holds("type library", result, path.Text());
}

bool BankWorks()
{
    CLSID bankClass;
    ComPtr<IBank> bank;
    HRESULT result = CLSIDFromProgID(BankProgId, &bankClass);
    if (SUCCEEDED(result))
        result = CoCreateInstance(bankClass, nullptr, CLSCTX_INPROC_SERVER, IID_IBank, bank.OutVoid());
    if (!Holds("bank", result, BankProgId))
        return false;

    BStr name;
    result = bank->GetName(name.Out());
    bool works = NameIs("early bound name", result, name.Text());

    ComPtr<IDispatch> automation;
    DISPID id = 0;
    LPOLESTR member = const_cast<LPOLESTR>(L"GetName");
    Variant lateName;
    DISPPARAMS none = {};
    result = bank.As(IID_IDispatch, automation);
    if (SUCCEEDED(result))
        result = automation->GetIDsOfNames(IID_NULL, &member, 1, LOCALE_USER_DEFAULT, &id);
    if (SUCCEEDED(result))
        result = automation->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &none, lateName.Get(),
                                    nullptr, nullptr);
    if (SUCCEEDED(result) && V_VT(lateName.Get()) != VT_BSTR)
        result = DISP_E_TYPEMISMATCH;
    works = NameIs("late bound name", result, SUCCEEDED(result) ? V_BSTR(lateName.Get()) : L"") && works;

    wchar_t module[MAX_PATH] = {};
    const HMODULE loaded = GetModuleHandleW(L"VornTiloOnline.dll");
    const DWORD length = loaded ? GetModuleFileNameW(loaded, module, MAX_PATH) : 0;
    return Holds("module", length ? S_OK : HRESULT_FROM_WIN32(GetLastError()), module) && works;
}
}

int main()
{
    if (FAILED(CoInitialize(nullptr)))
        return 1;
    bool holds = TypeLibraryLoads();
    holds = BankWorks() && holds;
    CoUninitialize();
    return holds ? 0 : 1;
}
