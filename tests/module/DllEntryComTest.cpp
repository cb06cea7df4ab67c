#include <gtest/gtest.h>
#include <windows.h>

#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "support/ComponentFiles.h"

namespace
{
using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
using CanUnloadNowFunction = HRESULT(WINAPI*)();

const CLSID UnknownClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};

// The component's module as the test's own: the same module that COM loads.
class DllEntry : public testing::Test
{
protected:
    void SetUp() override
    {
        module = LoadLibraryA(BesideTestProgram("VornTiloOnline.dll").c_str());
        ASSERT_NE(nullptr, module);
        getClassObject = reinterpret_cast<GetClassObjectFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
        canUnloadNow = reinterpret_cast<CanUnloadNowFunction>(
            reinterpret_cast<void*>(GetProcAddress(module, "DllCanUnloadNow")));
        ASSERT_NE(nullptr, getClassObject);
        ASSERT_NE(nullptr, canUnloadNow);
    }
    void TearDown() override { FreeLibrary(module); }

    ComPtr<IClassFactory> ClassObject(REFCLSID clsid)
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK, getClassObject(clsid, IID_IClassFactory, factory.OutVoid()));
        return factory;
    }

    HMODULE module = nullptr;
    GetClassObjectFunction getClassObject = nullptr;
    CanUnloadNowFunction canUnloadNow = nullptr;
};

// A controlling unknown that counts the references it is given.
class OuterUnknown : public IUnknown
{
public:
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override
    {
        if (IsEqualIID(iid, IID_IUnknown))
        {
            *out = this;
            AddRef();
            return S_OK;
        }
        if (inner)
            return inner->QueryInterface(iid, out);
        *out = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++count; }
    STDMETHODIMP_(ULONG) Release() override { return --count; }

    ULONG count = 1;
    IUnknown* inner = nullptr;
};
}

TEST_F(DllEntry, UnknownClassIsNotAvailableAndNullOutIsRefused)
{
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(UnknownClass, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(E_POINTER, getClassObject(CLSID_Bank, IID_IClassFactory, nullptr));
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, getClassObject(CLSID_Bank, IID_IDispatch, &object));
    EXPECT_EQ(nullptr, object);
}

TEST_F(DllEntry, EveryClassHasOneClassObject)
{
    for (const CLSID* clsid : {&CLSID_Bank, &CLSID_BankServices, &CLSID_BankPaymentService,
                               &CLSID_BankStatementService})
    {
        ComPtr<IClassFactory> first = ClassObject(*clsid);
        ComPtr<IUnknown> second;
        ASSERT_EQ(S_OK, getClassObject(*clsid, IID_IUnknown, second.OutVoid()));
        EXPECT_EQ(static_cast<IUnknown*>(first.Get()), second.Get());
    }
    EXPECT_NE(ClassObject(CLSID_Bank).Get(), ClassObject(CLSID_BankServices).Get());
}

TEST_F(DllEntry, CreateInstanceChecksItsArgumentsAndAggregation)
{
    ComPtr<IClassFactory> factory = ClassObject(CLSID_BankServices);
    ASSERT_TRUE(factory);
    EXPECT_EQ(E_POINTER, factory->CreateInstance(nullptr, IID_IBankServices, nullptr));

    OuterUnknown outer;
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_NOAGGREGATION, factory->CreateInstance(&outer, IID_IDispatch, &object));
    EXPECT_EQ(nullptr, object);
    object = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, factory->CreateInstance(nullptr, IID_IClassFactory, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(1u, outer.count);
}

TEST_F(DllEntry, AggregatedObjectDelegatesToItsOuterUnknown)
{
    OuterUnknown outer;
    ComPtr<IUnknown> inner;
    ASSERT_EQ(S_OK, ClassObject(CLSID_Bank)->CreateInstance(&outer, IID_IUnknown, inner.OutVoid()));
    outer.inner = inner.Get();
    EXPECT_NE(static_cast<IUnknown*>(&outer), inner.Get());

    ComPtr<IBank> bank;
    ASSERT_EQ(S_OK, inner->QueryInterface(IID_IBank, bank.OutVoid()));
    EXPECT_EQ(2u, outer.count);
    BStr name;
    EXPECT_EQ(S_OK, bank->GetName(name.Out()));
    EXPECT_STREQ(L"Tilo Online", name.Text());

    IUnknown* identity = nullptr;
    ASSERT_EQ(S_OK, bank->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&identity)));
    EXPECT_EQ(static_cast<IUnknown*>(&outer), identity);
    identity->Release();
    bank.Reset();
    EXPECT_EQ(1u, outer.count);
}

TEST_F(DllEntry, AggregatedServiceListIsFilledByItsFinalConstruction)
{
    OuterUnknown outer;
    ComPtr<IUnknown> inner;
    ASSERT_EQ(S_OK, ClassObject(CLSID_BankServices)->CreateInstance(&outer, IID_IUnknown, inner.OutVoid()));
    outer.inner = inner.Get();

    ComPtr<IBankServices> list;
    ASSERT_EQ(S_OK, inner->QueryInterface(IID_IBankServices, list.OutVoid()));
    LONG count = 0;
    ASSERT_EQ(S_OK, list->GetCount(&count));
    EXPECT_EQ(2, count);

    // The enumerator's hold on the list goes to the aggregate's owner.
    ComPtr<IUnknown> enumerator;
    ASSERT_EQ(S_OK, list->NewEnum(enumerator.Out()));
    EXPECT_EQ(3u, outer.count);
    enumerator.Reset();
    list.Reset();
    EXPECT_EQ(1u, outer.count);
}

TEST_F(DllEntry, CanUnloadOnlyWithoutLiveObjectsHeldClassObjectsOrLocks)
{
    ASSERT_EQ(S_OK, canUnloadNow());

    ComPtr<IClassFactory> factory = ClassObject(CLSID_Bank);
    EXPECT_EQ(S_FALSE, canUnloadNow());
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    ComPtr<IBank> bank;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IBank, bank.OutVoid()));
    factory.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());

    ComPtr<IVornBankServices> services;
    ASSERT_EQ(S_OK, bank->GetServices(services.Out()));
    bank.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());
    services.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());

    ClassObject(CLSID_Bank)->LockServer(FALSE);
    EXPECT_EQ(S_OK, canUnloadNow());
}

TEST_F(DllEntry, AnUnlockWithoutALockNeverLetsTheModuleGoWhileObjectsLive)
{
    ComPtr<IBank> bank;
    ASSERT_EQ(S_OK, ClassObject(CLSID_Bank)->CreateInstance(nullptr, IID_IBank, bank.OutVoid()));
    for (int stray = 0; stray < 3; ++stray)
        EXPECT_EQ(S_OK, ClassObject(CLSID_Bank)->LockServer(FALSE));
    EXPECT_EQ(S_FALSE, canUnloadNow());
    bank.Reset();
    EXPECT_EQ(S_OK, canUnloadNow());

    // Locks are still counted one for one afterwards.
    ASSERT_EQ(S_OK, ClassObject(CLSID_Bank)->LockServer(TRUE));
    EXPECT_EQ(S_FALSE, canUnloadNow());
    ASSERT_EQ(S_OK, ClassObject(CLSID_Bank)->LockServer(FALSE));
    EXPECT_EQ(S_OK, canUnloadNow());
}

TEST_F(DllEntry, EveryObjectLeavesANullPointerWhenItRefusesAnInterface)
{
    for (const CLSID* clsid : {&CLSID_Bank, &CLSID_BankServices, &CLSID_BankPaymentService,
                               &CLSID_BankStatementService})
    {
        ComPtr<IClassFactory> factory = ClassObject(*clsid);
        ComPtr<IUnknown> object;
        ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IUnknown, object.OutVoid()));
        for (IUnknown* each : {static_cast<IUnknown*>(factory.Get()), object.Get()})
        {
            void* refused = reinterpret_cast<void*>(1);
            EXPECT_EQ(E_NOINTERFACE, each->QueryInterface(IID_IPersist, &refused));
            EXPECT_EQ(nullptr, refused);
        }
    }
}
