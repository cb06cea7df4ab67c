#include <gtest/gtest.h>

#include <string>

#include "com/ComHolders.h"
#include "com/ErrorReporting.h"
#include "support/PostedError.h"

namespace
{
template <class Thrown>
HRESULT GuardThrowing(Thrown thrown)
{
    return MethodGuard([&]() -> HRESULT { throw thrown; });
}

HRESULT WINAPI FailingCreateErrorInfo(ICreateErrorInfo** info)
{
    *info = nullptr;
    return E_OUTOFMEMORY;
}

// Makes every error-information object fail to be created while it lives.
class FailingErrorInfoCreation
{
public:
    FailingErrorInfoCreation() : m_previous(SetCreateErrorInfoFunction(FailingCreateErrorInfo)) {}
    ~FailingErrorInfoCreation() { SetCreateErrorInfoFunction(m_previous); }

private:
    CreateErrorInfoFunction m_previous;
};

struct TableRow
{
    const char* name;
    HRESULT thrown;
    HRESULT returned;
    const wchar_t* description;
};

class StandardErrorTable : public testing::TestWithParam<TableRow>
{
};
}

TEST_P(StandardErrorTable, ThrownCodeGivesItsRowsResultAndDescriptionOnly)
{
    const TableRow row = GetParam();
    ClearPostedError();

    EXPECT_EQ(row.returned, GuardThrowing(row.thrown));

    const PostedError error = TakePostedError();
    ASSERT_TRUE(error.posted);
    EXPECT_EQ(row.description, error.description);
    EXPECT_EQ(L"", error.source);
    EXPECT_EQ(L"", error.helpFile);
    EXPECT_EQ(0u, error.helpContext);
    EXPECT_TRUE(IsEqualGUID(GUID_NULL, error.interfaceId));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StandardErrorTable,
    testing::Values(TableRow{"Unexpected", E_UNEXPECTED, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"},
                    TableRow{"OutOfMemory", E_OUTOFMEMORY, static_cast<HRESULT>(0x800AFFFD), L"Out of Memory"},
                    TableRow{"InvalidArgument", E_INVALIDARG, static_cast<HRESULT>(0x800AFFFC), L"Invalid argument"},
                    TableRow{"NotImplemented", E_NOTIMPL, static_cast<HRESULT>(0x800AFFFB), L"Not implemented"},
                    TableRow{"NoInterface", E_NOINTERFACE, static_cast<HRESULT>(0x800AFFFA), L"Interface not supported"},
                    // No row holds E_FAIL: reported as row 0.
                    TableRow{"Fail", E_FAIL, static_cast<HRESULT>(0x800AFFFE), L"Unexpected result"}),
    [](const testing::TestParamInfo<TableRow>& info) { return std::string(info.param.name); });

TEST(MethodGuard, ReportedAndDispatchCodesPassThroughPostingNothing)
{
    const HRESULT controlCode = static_cast<HRESULT>(0x800A1234);
    ClearPostedError();
    EXPECT_EQ(controlCode, GuardThrowing(controlCode));
    EXPECT_EQ(DISP_E_EXCEPTION, GuardThrowing(DISP_E_EXCEPTION));
    EXPECT_FALSE(TakePostedError().posted);
}

TEST(MethodGuard, FailedErrorInfoCreationGivesTheThrownCodeItself)
{
    FailingErrorInfoCreation failing;
    ClearPostedError();
    EXPECT_EQ(E_INVALIDARG, GuardThrowing(E_INVALIDARG));
    EXPECT_EQ(E_OUTOFMEMORY, GuardThrowing(static_cast<DWORD>(ERROR_FILE_NOT_FOUND)));
    EXPECT_FALSE(TakePostedError().posted);
}

TEST(MethodGuard, HostCallFailureGivesDispatchExceptionWithItsOwnDescription)
{
    // The failure's own information is posted again...
    IErrorInfo* carried = NewErrorInfo(L"The host says no.");
    ASSERT_NE(nullptr, carried);
    ClearPostedError();
    EXPECT_EQ(DISP_E_EXCEPTION, GuardThrowing(_com_error(E_ACCESSDENIED, carried, false)));
    EXPECT_EQ(L"The host says no.", TakePostedError().description);

    // ...and one without any never leaves an earlier description standing.
    ComPtr<IErrorInfo> stale;
    stale.Attach(NewErrorInfo(L"stale"));
    SetErrorInfo(0, stale.Get());
    EXPECT_EQ(DISP_E_EXCEPTION, GuardThrowing(_com_error(E_ACCESSDENIED)));
    EXPECT_EQ(L"A call on the e-banking host failed (0x80070005).", TakePostedError().description);
}

TEST(MethodGuard, Win32CodeGivesControlFailureWithTheSystemsText)
{
    for (DWORD code : {static_cast<DWORD>(ERROR_FILE_NOT_FOUND), static_cast<DWORD>(ERROR_ACCESS_DENIED)})
    {
        ClearPostedError();
        EXPECT_EQ(static_cast<HRESULT>(0x800AFFFF), GuardThrowing(code));
        const PostedError error = TakePostedError();
        ASSERT_TRUE(error.posted);
        EXPECT_FALSE(SystemMessage(code).empty());
        EXPECT_EQ(SystemMessage(code), error.description);
    }
}

TEST(MethodGuard, UnknownThrowGivesUnexpectedPostingNothing)
{
    ClearPostedError();
    EXPECT_EQ(E_UNEXPECTED, GuardThrowing(42));
    EXPECT_FALSE(TakePostedError().posted);
}

TEST(MethodGuard, ThrownErrorInformationIsPostedAndReleased)
{
    ComPtr<ICreateErrorInfo> creator;
    ASSERT_EQ(S_OK, CreateErrorInfo(creator.Out()));
    creator->SetDescription(const_cast<LPOLESTR>(L"thrown"));
    creator->AddRef();
    ClearPostedError();

    GuardThrowing(creator.Get());

    EXPECT_EQ(L"thrown", TakePostedError().description);
    // Only the test's own reference is left.
    creator->AddRef();
    EXPECT_EQ(1u, creator->Release());
}

TEST(MethodGuard, NormalReturnGivesTheBodysResult)
{
    EXPECT_EQ(S_FALSE, MethodGuard([]() -> HRESULT { return S_FALSE; }));
}
