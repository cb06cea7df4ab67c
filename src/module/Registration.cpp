#include "module/Registration.h"

#include "module/ClassTable.h"
#include "module/ComponentCategories.h"
#include "module/Registrar.h"
#include "module/TypeLibraryRegistration.h"

HRESULT RegisterServer()
{
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        HRESULT result = RunRegistrationScript(entry->registrationScript, true);
        if (SUCCEEDED(result) && entry->implementedCategory)
            result = RegisterImplementedCategory(*entry->clsid, *entry->implementedCategory);
        if (FAILED(result))
            return result;
    }
    return RegisterModuleTypeLibrary();
}

HRESULT UnregisterServer()
{
    for (ClassEntry* entry = ClassesBegin(); entry != ClassesEnd(); ++entry)
    {
        HRESULT result = S_OK;
        if (entry->implementedCategory)
            result = UnregisterImplementedCategory(*entry->clsid, *entry->implementedCategory);
        if (SUCCEEDED(result))
            result = RunRegistrationScript(entry->registrationScript, false);
        if (FAILED(result))
            return result;
    }
    return UnregisterModuleTypeLibrary();
}
