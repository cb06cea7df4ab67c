// The stand-in host's components met through COM, as a bank component meets
// them: created by class id, run, queried, called through their tables.
#include <gtest/gtest.h>
#include <windows.h>
#include <comcat.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>

#include "VornBankPayments.h"
#include "VornBankReconciliation.h"
#include "VornEBanking.h"
#include "com/ComHolders.h"
#include "standin/StandInControl.h"
#include "support/RegistryValues.h"

namespace
{
const HRESULT ForcedFailure = static_cast<HRESULT>(0x80041234);

// CoCreateInstance for IUnknown in every context, OleRun, then the interface.
template <class T>
ComPtr<T> CreateAsBankComponent(REFCLSID clsid, REFIID iid)
{
    ComPtr<IUnknown> unknown;
    ComPtr<T> component;
    EXPECT_EQ(S_OK, CoCreateInstance(clsid, nullptr, 0x17, IID_IUnknown, unknown.OutVoid()));
    if (!unknown)
        return component;
    EXPECT_EQ(S_OK, OleRun(unknown.Get()));
    EXPECT_EQ(S_OK, unknown->QueryInterface(iid, component.OutVoid()));
    return component;
}

ComPtr<IVornBankSettings> CreateSettings()
{
    return CreateAsBankComponent<IVornBankSettings>(CLSID_VornBankSettings, IID_IVornBankSettings);
}

ComPtr<IVornStatementFileSelector> CreateSelector()
{
    return CreateAsBankComponent<IVornStatementFileSelector>(CLSID_VornStatementFileSelector,
                                                             IID_IVornStatementFileSelector);
}

std::string ErrorDescription()
{
    ComPtr<IErrorInfo> info;
    if (GetErrorInfo(0, info.Out()) != S_OK)
        return "(no error information)";
    BStr description;
    info->GetDescription(description.Out());
    return std::string(description.Text(), description.Text() + description.Length());
}

std::string Narrow(const BStr& text)
{
    return std::string(text.Text(), text.Text() + text.Length());
}

struct BankBlocks
{
    BankBlocks()
    {
        memcpy(configure, "Tilo Online", 12);
        memcpy(bank, "Tilo Online", 12);
    }
    unsigned char configure[1024] = {};
    unsigned char bank[100] = {};
};

class StandInTest : public testing::Test
{
protected:
    void SetUp() override { StandInReset(); }
    void TearDown() override { StandInReset(); }
};

using StandInSettingsTest = StandInTest;
using StandInFileSelectorTest = StandInTest;

// Recognition functions handed over in the selection block, as a bank
// component's would be.
std::string g_recognisedPath;
int g_recognitionCalls = 0;

int __cdecl RecognizeAsStatement(char* typeName, const char* path)
{
    ++g_recognitionCalls;
    g_recognisedPath = path;
    memcpy(typeName, "Tilo Online Statement", 22);
    return 1;
}

int __cdecl RecognizeNothing(char*, const char* path)
{
    ++g_recognitionCalls;
    g_recognisedPath = path;
    return 0;
}

StandInStatementFileSettings SelectionBlock(StandInRecognizeFunction recognize)
{
    g_recognisedPath.clear();
    g_recognitionCalls = 0;
    StandInStatementFileSettings block{};
    block.recognize = recognize;
    return block;
}

unsigned char* Bytes(StandInStatementFileSettings& block)
{
    return reinterpret_cast<unsigned char*>(&block);
}
}

TEST_F(StandInSettingsTest, IsCreatedAsAHostComponentWithDispatchAndErrorInfo)
{
    ComPtr<IVornBankSettings> settings = CreateSettings();
    ASSERT_TRUE(settings);

    ComPtr<IDispatch> dispatch;
    EXPECT_EQ(S_OK, settings.As(IID_IDispatch, dispatch));
    ComPtr<ITypeInfo> type;
    ASSERT_EQ(S_OK, dispatch->GetTypeInfo(0, 0, type.Out()));
    TYPEATTR* attributes = nullptr;
    ASSERT_EQ(S_OK, type->GetTypeAttr(&attributes));
    EXPECT_TRUE(IsEqualGUID(IID_IVornBankSettings, attributes->guid));
    type->ReleaseTypeAttr(attributes);

    ComPtr<ISupportErrorInfo> support;
    ASSERT_EQ(S_OK, settings.As(IID_ISupportErrorInfo, support));
    EXPECT_EQ(S_OK, support->InterfaceSupportsErrorInfo(IID_IVornBankSettings));
    EXPECT_EQ(S_FALSE, support->InterfaceSupportsErrorInfo(IID_IDispatch));

    ComPtr<IRunnableObject> runnable;
    EXPECT_EQ(E_NOINTERFACE, settings.As(IID_IRunnableObject, runnable));
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, settings->QueryInterface(IID_IPersist, &refused));
    EXPECT_EQ(nullptr, refused);
}

TEST_F(StandInSettingsTest, PaymentFileDefaultsOverwriteTheCallersBuffers)
{
    ComPtr<IVornBankSettings> settings = CreateSettings();
    ASSERT_TRUE(settings);
    BankBlocks blocks;
    char name[1024], extension[4], directory[1024];
    memset(name, 'x', sizeof name);
    memset(extension, 'x', sizeof extension);
    memset(directory, 'x', sizeof directory);
    auto call = [&] {
        return settings->GetPaymentFileDefaults(blocks.bank, reinterpret_cast<unsigned char*>(name),
                                                reinterpret_cast<unsigned char*>(extension),
                                                reinterpret_cast<unsigned char*>(directory));
    };

    ASSERT_EQ(S_OK, call());
    EXPECT_STREQ("payments", name);
    EXPECT_STREQ("csv", extension);
    EXPECT_STREQ("C:\\", directory);

    StandInSetPaymentFileDefaults("june", "text", "D:\\Payments\\Out");
    ASSERT_EQ(S_OK, call());
    EXPECT_STREQ("june", name);
    EXPECT_STREQ("tex", extension);
    EXPECT_STREQ("D:\\Payments\\Out", directory);

    const std::string longName(2000, 'n');
    StandInSetPaymentFileDefaults(longName.c_str(), nullptr, "");
    ASSERT_EQ(S_OK, call());
    EXPECT_EQ(longName.substr(0, 1023), name);
    EXPECT_STREQ("", extension);
    EXPECT_STREQ("", directory);
}

TEST_F(StandInSettingsTest, RecordsEveryCallWithItsBankBlock)
{
    ComPtr<IVornBankSettings> settings = CreateSettings();
    ASSERT_TRUE(settings);
    BankBlocks blocks;
    unsigned char selection[400];
    char name[1024], extension[4], directory[1024];

    ASSERT_EQ(S_OK, settings->ConfigureBank(blocks.configure, 3));
    ASSERT_EQ(S_OK, settings->GetStatementFileSettings(blocks.bank, selection));
    blocks.bank[99] = 'z';
    ASSERT_EQ(S_OK, settings->GetPaymentFileDefaults(blocks.bank, reinterpret_cast<unsigned char*>(name),
                                                     reinterpret_cast<unsigned char*>(extension),
                                                     reinterpret_cast<unsigned char*>(directory)));

    ASSERT_EQ(3, StandInSettingsCallCount());
    StandInSettingsCall call{};
    ASSERT_TRUE(StandInGetSettingsCall(0, &call));
    EXPECT_EQ(StandInConfigureBank, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(1, call.bankBlockClean);
    EXPECT_EQ(3, call.option);
    ASSERT_TRUE(StandInGetSettingsCall(1, &call));
    EXPECT_EQ(StandInGetStatementFileSettings, call.operation);
    EXPECT_EQ(1, call.bankBlockClean);
    EXPECT_EQ(0, call.option);
    ASSERT_TRUE(StandInGetSettingsCall(2, &call));
    EXPECT_EQ(StandInGetPaymentFileDefaults, call.operation);
    EXPECT_STREQ("Tilo Online", call.bankText);
    EXPECT_EQ(0, call.bankBlockClean);
    EXPECT_FALSE(StandInGetSettingsCall(3, &call));

    StandInReset();
    EXPECT_EQ(0, StandInSettingsCallCount());
}

TEST_F(StandInSettingsTest, ForcedFailureGivesItsHResultAndPostsItsDescription)
{
    ComPtr<IVornBankSettings> settings = CreateSettings();
    ASSERT_TRUE(settings);
    BankBlocks blocks;
    unsigned char selection[400];
    char name[1024] = "kept", extension[4] = "kep", directory[1024] = "kept";
    auto defaults = [&] {
        return settings->GetPaymentFileDefaults(blocks.bank, reinterpret_cast<unsigned char*>(name),
                                                reinterpret_cast<unsigned char*>(extension),
                                                reinterpret_cast<unsigned char*>(directory));
    };

    StandInFailOperation(StandInGetPaymentFileDefaults, ForcedFailure, "The settings store is locked.");
    EXPECT_EQ(ForcedFailure, defaults());
    EXPECT_EQ("The settings store is locked.", ErrorDescription());
    EXPECT_STREQ("kept", name);
    EXPECT_STREQ("kep", extension);
    EXPECT_EQ(S_OK, settings->ConfigureBank(blocks.configure, 3));

    StandInFailOperation(StandInConfigureBank, E_ACCESSDENIED, "No configuration today.");
    EXPECT_EQ(E_ACCESSDENIED, settings->ConfigureBank(blocks.configure, 3));
    EXPECT_EQ("No configuration today.", ErrorDescription());

    StandInFailOperation(StandInGetStatementFileSettings, E_FAIL, "No statement settings.");
    EXPECT_EQ(E_FAIL, settings->GetStatementFileSettings(blocks.bank, selection));
    ComPtr<IErrorInfo> info;
    ASSERT_EQ(S_OK, GetErrorInfo(0, info.Out()));
    GUID guid{};
    info->GetGUID(&guid);
    EXPECT_TRUE(IsEqualGUID(IID_IVornBankSettings, guid));

    StandInFailOperation(StandInGetPaymentFileDefaults, S_OK, nullptr);
    EXPECT_EQ(S_OK, defaults());
    EXPECT_STREQ("payments", name);
    EXPECT_EQ(5, StandInSettingsCallCount());
}

TEST_F(StandInSettingsTest, UnregisteredClassCannotBeCreatedUntilRegisteredAgain)
{
    ComPtr<IUnknown> unknown;
    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    EXPECT_EQ(REGDB_E_CLASSNOTREG,
              CoCreateInstance(CLSID_VornBankSettings, nullptr, 0x17, IID_IUnknown, unknown.OutVoid()));
    EXPECT_EQ(S_OK, StandInUnregisterClass(StandInSettingsClass));
    EXPECT_TRUE(CreateSelector());

    ASSERT_EQ(S_OK, StandInRegisterClass(StandInSettingsClass));
    EXPECT_TRUE(CreateSettings());

    ASSERT_EQ(S_OK, StandInUnregisterClass(StandInFileSelectorClass));
    EXPECT_EQ(REGDB_E_CLASSNOTREG, CoCreateInstance(CLSID_VornStatementFileSelector, nullptr, 0x17,
                                                    IID_IUnknown, unknown.OutVoid()));
    StandInReset();
    EXPECT_TRUE(CreateSelector());
    EXPECT_EQ(E_INVALIDARG, StandInUnregisterClass(7));
}

TEST_F(StandInFileSelectorTest, RunsTheRecognitionFunctionOnTheChosenPath)
{
    ComPtr<IVornStatementFileSelector> selector = CreateSelector();
    ASSERT_TRUE(selector);
    StandInStatementFileSettings block = SelectionBlock(RecognizeAsStatement);
    StandInSetStatementFileChoice("C:\\Statements\\june.csv", 0);

    ASSERT_EQ(S_OK, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ(1, g_recognitionCalls);
    EXPECT_EQ("C:\\Statements\\june.csv", g_recognisedPath);

    StandInSelectionRecord record{};
    StandInGetSelectionRecord(&record);
    EXPECT_EQ(1, record.selectCalls);
    EXPECT_EQ(1, record.recognitionCalled);
    EXPECT_EQ(1, record.recognitionAnswer);
    EXPECT_STREQ("Tilo Online Statement", record.typeName);

    LONG status = -1;
    BStr path, typeName;
    EXPECT_EQ(S_OK, selector->GetSelectionStatus(&status));
    EXPECT_EQ(0, status);
    EXPECT_EQ(S_OK, selector->GetSelectedFile(path.Out()));
    EXPECT_EQ("C:\\Statements\\june.csv", Narrow(path));
    EXPECT_EQ(S_OK, selector->GetSelectedType(typeName.Out()));
    EXPECT_EQ("Tilo Online Statement", Narrow(typeName));

    // A path the ANSI code page cannot hold reaches the bank component whole;
    // its recognition function sees the narrowed form, as for any program.
    const std::wstring wide = L"C:\\Statements\\\u0432\u044b\u043f\u0438\u0441\u043a\u0430.csv";
    StandInSetStatementFileChoiceW(wide.c_str(), 0);
    ASSERT_EQ(S_OK, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ("C:\\Statements\\???????.csv", g_recognisedPath);
    EXPECT_EQ(S_OK, selector->GetSelectedFile(path.Out()));
    EXPECT_EQ(wide, std::wstring(path.Text(), path.Length()));
}

TEST_F(StandInFileSelectorTest, TheChoiceStandsWhateverTheRecognitionAnswered)
{
    ComPtr<IVornStatementFileSelector> selector = CreateSelector();
    ASSERT_TRUE(selector);
    LONG status = -1;
    BStr path, typeName;
    EXPECT_EQ(S_OK, selector->GetSelectionStatus(&status));
    EXPECT_EQ(1, status);

    StandInStatementFileSettings block = SelectionBlock(RecognizeNothing);
    const std::string longPath = "C:\\" + std::string(300, 'p') + ".csv";
    StandInSetStatementFileChoice(longPath.c_str(), 0);
    ASSERT_EQ(S_OK, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ(longPath, g_recognisedPath);
    selector->GetSelectionStatus(&status);
    selector->GetSelectedFile(path.Out());
    selector->GetSelectedType(typeName.Out());
    EXPECT_EQ(0, status);
    EXPECT_EQ(longPath, Narrow(path));
    EXPECT_EQ(0u, typeName.Length());
    StandInSelectionRecord record{};
    StandInGetSelectionRecord(&record);
    EXPECT_EQ(1, record.recognitionCalled);
    EXPECT_EQ(0, record.recognitionAnswer);

    block = SelectionBlock(RecognizeAsStatement);
    StandInSetStatementFileChoice("C:\\Statements\\june.csv", 2);
    ASSERT_EQ(S_OK, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ(1, g_recognitionCalls);
    selector->GetSelectionStatus(&status);
    EXPECT_EQ(2, status);

    block = SelectionBlock(RecognizeAsStatement);
    StandInSetStatementFileChoice(nullptr, 1);
    ASSERT_EQ(S_OK, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ(0, g_recognitionCalls);
    StandInGetSelectionRecord(&record);
    EXPECT_EQ(3, record.selectCalls);
    EXPECT_EQ(0, record.recognitionCalled);
}

TEST_F(StandInFileSelectorTest, RefusesABlockWithoutFunctionAndFailsWhenForced)
{
    ComPtr<IVornStatementFileSelector> selector = CreateSelector();
    ASSERT_TRUE(selector);
    StandInStatementFileSettings block = SelectionBlock(nullptr);
    StandInSetStatementFileChoice("C:\\Statements\\june.csv", 0);
    EXPECT_EQ(E_INVALIDARG, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ("The selection block names no recognition function.", ErrorDescription());

    block = SelectionBlock(RecognizeAsStatement);
    StandInFailOperation(StandInSelectStatementFile, E_ABORT, "The file dialog broke.");
    EXPECT_EQ(E_ABORT, selector->SelectStatementFile(Bytes(block)));
    EXPECT_EQ("The file dialog broke.", ErrorDescription());
    EXPECT_EQ(0, g_recognitionCalls);
}

TEST_F(StandInFileSelectorTest, AnswersLateBoundCallsThroughTheRegisteredTypeLibrary)
{
    ComPtr<IVornStatementFileSelector> selector = CreateSelector();
    ASSERT_TRUE(selector);
    ComPtr<IDispatch> dispatch;
    ASSERT_EQ(S_OK, selector.As(IID_IDispatch, dispatch));
    LPOLESTR name = const_cast<LPOLESTR>(L"GetSelectionStatus");
    DISPID id = 0;
    ASSERT_EQ(S_OK, dispatch->GetIDsOfNames(IID_NULL, &name, 1, 0, &id));
    DISPPARAMS none{};
    Variant result;
    ASSERT_EQ(S_OK, dispatch->Invoke(id, IID_NULL, 0, DISPATCH_METHOD, &none, result.Get(), nullptr, nullptr));
    EXPECT_EQ(VT_I4, result->vt);
    EXPECT_EQ(1, result->lVal);
}

TEST(StandInClassObject, KeepsTheDllLoadedWhileItIsHeldAsTheObjectsItMakesAndServerLocksDo)
{
    using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
    const auto canUnloadNow = reinterpret_cast<CanUnloadNow>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("VornHostStandIn.dll"), "DllCanUnloadNow")));
    ASSERT_TRUE(canUnloadNow);
    ASSERT_EQ(S_OK, canUnloadNow());

    ComPtr<IClassFactory> factory;
    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_VornBankSettings, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.OutVoid()));
    EXPECT_EQ(S_FALSE, canUnloadNow());
    ComPtr<IVornBankSettings> settings;
    ASSERT_EQ(S_OK, factory->CreateInstance(nullptr, IID_IVornBankSettings, settings.OutVoid()));
    ASSERT_EQ(S_OK, factory->LockServer(TRUE));
    factory.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());
    settings.Reset();
    EXPECT_EQ(S_FALSE, canUnloadNow());

    ASSERT_EQ(S_OK, CoGetClassObject(CLSID_VornBankSettings, CLSCTX_INPROC_SERVER, nullptr, IID_IClassFactory,
                                     factory.OutVoid()));
    ASSERT_EQ(S_OK, factory->LockServer(FALSE));
    void* refused = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, factory->QueryInterface(IID_IPersist, &refused));
    EXPECT_EQ(nullptr, refused);
    factory.Reset();
    EXPECT_EQ(S_OK, canUnloadNow());
}

TEST(StandInRegistration, RegistersTheHostsTypeLibrariesCategoryAndSettingsFolder)
{
    for (const GUID* library : {&LIBID_VornEBankingLib, &LIBID_VornBankPaymentsLib, &LIBID_VornBankReconciliationLib})
    {
        ComPtr<ITypeLib> loaded;
        EXPECT_EQ(S_OK, LoadRegTypeLib(*library, 1, 0, 0, loaded.Out()));
    }

    ComPtr<ICatInformation> categories;
    ASSERT_EQ(S_OK, CoCreateInstance(CLSID_StdComponentCategoriesMgr, nullptr, CLSCTX_INPROC_SERVER,
                                     IID_ICatInformation, categories.OutVoid()));
    LPWSTR description = nullptr;
    ASSERT_EQ(S_OK, categories->GetCategoryDesc(CATID_VornBankComponents, 0x409, &description));
    EXPECT_STREQ(L"Vorn Bank Components", description);
    CoTaskMemFree(description);

    EXPECT_EQ(L"{8610351D-DD48-44BD-BC75-90361846A51D}",
              RegistryString(HKEY_CLASSES_ROOT, L"VornEBanking.BankSettings.1\\CLSID"));
    EXPECT_EQ(L"Apartment", RegistryString(HKEY_CLASSES_ROOT,
                                           L"CLSID\\{98F245A5-C9C1-41CA-9B9B-6D9F0425C0BE}\\InprocServer32",
                                           L"ThreadingModel"));

    char folder[MAX_PATH] = {};
    ASSERT_EQ(S_OK, SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder));
    lstrcatA(folder, "\\VORN\\Vorn EBanking");
    const DWORD attributes = GetFileAttributesA(folder);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
