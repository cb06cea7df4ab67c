// The module's classes, in the order of registration and of look-up, and
// their class objects, made on first request and kept until the module ends.
#pragma once

#include <windows.h>
#include <comcat.h>

#include "com/Bank.h"
#include "com/BankServices.h"
#include "module/ClassFactory.h"
#include "payments/BankPaymentService.h"
#include "statements/BankStatementService.h"

// The bank and its list, made of the two services.
using CBankServices = CBankServicesOf<CBankPaymentService, CBankStatementService>;
using CBank = CBankOf<CBankServices>;

struct ClassEntry
{
    const CLSID* clsid;
    // Resource of type "REGISTRY" with the class's registration script.
    UINT registrationScript;
    CreateInstanceFunction createInstance;
    // The category the class implements; null for none.
    const CATID* implementedCategory;
    // Empty until first requested.
    IClassFactory* classObject;
};

ClassEntry* ClassesBegin();
ClassEntry* ClassesEnd();

// Module start and end: the end releases the class objects that were made.
void InitializeClassTable();
void EndClassTable();

// The class object of a class, made on its first request; as
// DllGetClassObject answers.
HRESULT GetClassObject(REFCLSID clsid, REFIID iid, void** out);
