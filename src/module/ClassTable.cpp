#include "module/ClassTable.h"

#include <new>

#include "VornEBanking.h"
#include "VornTiloOnline.h"
#include "com/ComHolders.h"
#include "resources/resource.h"

namespace
{
ClassEntry g_classes[] = {
    {&CLSID_Bank, IDR_BANK, CreateComInstance<CBank>, &CATID_VornBankComponents, nullptr},
    {&CLSID_BankServices, IDR_BANKSERVICES, CreateComInstance<CBankServices>, nullptr, nullptr},
    {&CLSID_BankPaymentService, IDR_BANKPAYMENTSERVICE, CreateComInstance<CBankPaymentService>, nullptr, nullptr},
    {&CLSID_BankStatementService, IDR_BANKSTATEMENTSERVICE, CreateComInstance<CBankStatementService>, nullptr,
     nullptr},
};

// Guards the making of class objects.
CRITICAL_SECTION g_classObjectLock;
}

ClassEntry* ClassesBegin()
{
    return g_classes;
}

ClassEntry* ClassesEnd()
{
    return g_classes + sizeof g_classes / sizeof g_classes[0];
}

void InitializeClassTable()
{
    InitializeCriticalSection(&g_classObjectLock);
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
        entry->classObject = nullptr;
}

void EndClassTable()
{
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        if (entry->classObject)
            entry->classObject->Release();
        entry->classObject = nullptr;
    }
    DeleteCriticalSection(&g_classObjectLock);
}

HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out)
{
    if (!out)
        return E_POINTER;
    *out = nullptr;
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        if (!IsEqualCLSID(clsid, *entry->clsid))
            continue;
        IClassFactory* classObject = nullptr;
        {
            const CriticalSectionLock lock(g_classObjectLock);
            if (!entry->classObject)
            {
                auto* made = new (std::nothrow) CClassFactory(entry->createInstance);
                if (made)
                {
                    made->AddRef();
                    entry->classObject = made;
                }
            }
            classObject = entry->classObject;
        }
        if (!classObject)
            return E_OUTOFMEMORY;
        return classObject->QueryInterface(iid, out);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}
