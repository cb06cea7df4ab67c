#include <gtest/gtest.h>
#include <windows.h>

#include "support/ComponentFiles.h"

namespace
{
using GetClassObjectFunction = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);

const CLSID UnknownClass = {0x12345678, 0x1234, 0x1234, {1, 2, 3, 4, 5, 6, 7, 8}};
}

TEST(DllEntry, UnknownClassIsNotAvailableAndNullOutIsRefused)
{
    HMODULE module = LoadLibraryA(BesideTestProgram("VornTiloOnline.dll").c_str());
    ASSERT_NE(nullptr, module);
    auto getClassObject = reinterpret_cast<GetClassObjectFunction>(reinterpret_cast<void*>(GetProcAddress(module, "DllGetClassObject")));
    ASSERT_NE(nullptr, getClassObject);

    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(CLASS_E_CLASSNOTAVAILABLE, getClassObject(UnknownClass, IID_IUnknown, &object));
    EXPECT_EQ(nullptr, object);
    EXPECT_EQ(E_POINTER, getClassObject(UnknownClass, IID_IUnknown, nullptr));
    FreeLibrary(module);
}
