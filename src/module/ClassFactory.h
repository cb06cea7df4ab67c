// The class object of one of the module's classes. The module keeps one
// reference of its own; only references held by others lock the module.
#pragma once

#include <windows.h>
#include <unknwn.h>

// Makes an object of the class, plain or aggregated, as CreateInstance asks.
using CreateInstanceFunction = HRESULT (*)(IUnknown* outer, REFIID iid, void** out);

class CClassFactory : public IClassFactory
{
public:
    explicit CClassFactory(CreateInstanceFunction createInstance);
    CClassFactory(const CClassFactory&) = delete;
    CClassFactory& operator=(const CClassFactory&) = delete;
    virtual ~CClassFactory() = default;

    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;
    STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
    STDMETHODIMP LockServer(BOOL lock) override;

private:
    CreateInstanceFunction m_createInstance;
    volatile LONG m_refCount = 0;
};
