// The payment processing dialog, driven through its real window by the robot
// while the test thread sits in ShowModal.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "dialog/PayInfoDialog.h"
#include "objects/FakePayments.h"
#include "com/ComModule.h"
#include "resources/resource.h"
#include "robot/PaymentDialogRobot.h"
#include "support/ComponentFiles.h"
#include "support/ExhaustedPayment.h"
#include "support/TestClock.h"
#include "support/ThrownBy.h"
#include "support/WindowTest.h"

namespace
{
using Script = std::function<void(PaymentDialogRobot&)>;

const char StandardDescription[] =
    "This option produces Standard Domestic(BACS) and Inter Account Transfer (IAT) Payments.";

// Every test runs on Tuesday 15 April 2025 (Good Friday is the 18th), whose
// next crediting date is Thursday 17 April.
const DATE NextCreditingDay = DateOf(2025, 4, 17);

class PaymentDialog : public WindowTest
{
protected:
    FakePayment* AddPayment(const wchar_t* sortCode, const wchar_t* name, double amount, long status = 0)
    {
        FakePayment* payment = payments->Add();
        payment->payeeSortCode = sortCode;
        payment->payeeAccountNumber = L"12345678";
        payment->payeeAccountName = name;
        payment->amount = amount;
        payment->payeeReference = L"INV-1";
        payment->details = L"March";
        payment->statusCode = status;
        return payment;
    }

    void AddPayments(int count)
    {
        for (int index = 0; index < count; ++index)
            AddPayment((L"40-00-0" + std::to_wstring(index)).c_str(), L"Payee", 10.0 + index);
    }

    // ShowModal's result; the script must end the dialog, or the test fails
    // and the dialog is closed by force.
    int Run(const Script& script)
    {
        int result = 0;
        {
            RobotThread robot([&] {
                PaymentDialogRobot dialog;
                if (!dialog.WaitForDialog())
                {
                    ADD_FAILURE() << "the dialog did not open";
                    return;
                }
                script(dialog);
                if (!dialog.WaitUntilClosed(3000))
                {
                    ADD_FAILURE() << "the dialog is still open";
                    dialog.CloseByForce();
                }
            });
            result = dialog.ShowModal(parent);
        }
        return result;
    }

    // Runs the script and cancels; whether Cancel asked first.
    bool CancelAsks(const Script& script)
    {
        bool asked = false;
        EXPECT_EQ(IDCANCEL, Run([&](PaymentDialogRobot& robot) {
            script(robot);
            robot.PressCancel();
            HWND box = nullptr;
            while (!box && IsWindowVisible(robot.Dialog()))
                box = robot.WaitForMessage(20);
            if (box)
            {
                asked = true;
                const SeenMessageBox question = AnswerMessageBox(box, IDYES);
                EXPECT_EQ("Changes have been made", question.caption);
                EXPECT_EQ("Do you wish to ignore these changes?", question.text);
                EXPECT_EQ(static_cast<UINT>(MB_ICONQUESTION), question.icon);
                EXPECT_EQ(std::vector<int>({IDYES, IDNO}), question.buttons);
                EXPECT_EQ(robot.Dialog(), question.owner);
            }
        }));
        return asked;
    }

    std::vector<long> StatusCodes() const
    {
        std::vector<long> codes;
        for (const auto& payment : payments->payments)
            codes.push_back(payment->statusCode);
        return codes;
    }

    ScopedToday today{2025, 4, 15};
    ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
    HWND parent = nullptr;
    CPayInfoDialog dialog{payments.Get(), "BULK-TEMPLATE", "REF-42"};
};
}

TEST_F(PaymentDialog, OpensWithStandardDomesticAndTheNextCreditingDate)
{
    FakePayment* payment = AddPayment(L"40-47-84 and more", L"Caf\u00e9 Zo\u0142 Ltd", 1234.5, IatMark);
    payment->payeeAccountNumber = std::wstring(40, L'7');
    payment->payeeReference = std::wstring(40, L'R');
    payment->details = std::wstring(300, L'd');
    AddPayment(L"20-00-00", L"Second", 7.1);

    EXPECT_EQ(IDCANCEL, Run([&](PaymentDialogRobot& robot) {
        EXPECT_TRUE(robot.Control(IDC_FORMAT_STANDARD).checked);
        for (int id : {IDC_FORMAT_TEMPLATE, IDC_FORMAT_BULK_LIST, IDC_FORMAT_AD_HOC})
            EXPECT_FALSE(robot.Control(id).checked) << id;
        EXPECT_EQ(StandardDescription, robot.Control(IDC_FORMAT_DESCRIPTION).text);
        for (int id : {IDC_TEMPLATE_LABEL, IDC_TEMPLATE, IDC_BENREF_LABEL, IDC_BENREF})
            EXPECT_FALSE(robot.Control(id).enabled) << id;
        EXPECT_EQ("", robot.Control(IDC_TEMPLATE).text);
        EXPECT_EQ("", robot.Control(IDC_BENREF).text);
        EXPECT_TRUE(robot.Control(IDC_IAT_CHECK).enabled);
        EXPECT_FALSE(robot.Control(IDC_IAT_CHECK).checked);
        for (int id : {IDC_PAYMENT_LIST, IDC_SET, IDC_RESET})
            EXPECT_FALSE(robot.Control(id).enabled) << id;
        EXPECT_EQ(NextCreditingDay, robot.ShownDate());

        const auto rows = robot.Rows();
        ASSERT_EQ(2u, rows.size());
        const std::vector<std::string> first = {"40-47-84 a", std::string(29, '7'), "Caf\xe9 Zo", "1234.50",
                                                std::string(31, 'R'), std::string(254, 'd'), "Yes"};
        EXPECT_EQ(first, rows[0]);
        EXPECT_EQ("7.10", rows[1][3]);
        EXPECT_EQ("No", rows[1][6]);
        robot.PressCancel();
    }));
}

TEST_F(PaymentDialog, CentresOverItsOwnerInsideTheWorkArea)
{
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    parent = CreateWindowExA(0, "Static", "owner", WS_POPUP | WS_VISIBLE, work.right - 100, work.bottom - 100,
                             200, 200, nullptr, nullptr, nullptr, nullptr);
    ASSERT_TRUE(parent);
    RECT placed = {};
    Run([&](PaymentDialogRobot& robot) {
        GetWindowRect(robot.Dialog(), &placed);
        robot.PressCancel();
    });
    DestroyWindow(parent);
    EXPECT_EQ(work.right, placed.right);
    EXPECT_EQ(work.bottom, placed.bottom);

    parent = nullptr;
    Run([&](PaymentDialogRobot& robot) {
        GetWindowRect(robot.Dialog(), &placed);
        robot.PressCancel();
    });
    EXPECT_LE(std::abs((placed.left + placed.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((placed.top + placed.bottom) - (work.top + work.bottom)), 1);
}

TEST_F(PaymentDialog, EachFormatShowsItsOwnControls)
{
    struct Expected
    {
        PaymentFormat format;
        int button;
        const char* description;
        const char* templateText;  // null: disabled
        const char* benRefText;
        bool iat;
    };
    const Expected formats[] = {
        {TemplateDomestic, IDC_FORMAT_TEMPLATE, "This option uses a template to make Standard Domestic or Inter Account Payments.",
         "BULK-TEMPLATE", nullptr, true},
        {BulkList, IDC_FORMAT_BULK_LIST, "This option uses a Bulk List template to make multiple payments (no IATs).", "BULK-TEMPLATE",
         "REF-42", false},
        {AdHocBulk, IDC_FORMAT_AD_HOC,
         "This option is to produce a single debit multi credit payment that does not have to be made against "
         "any existing Corvex bulk list.",
         nullptr, "REF-42", false},
        {StandardDomestic, IDC_FORMAT_STANDARD, StandardDescription, nullptr, nullptr, true},
    };
    AddPayments(2);

    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        // A mark set before the format drops IATs stays in the payment.
        ASSERT_TRUE(robot.ClickIatBox());
        ASSERT_TRUE(robot.SelectRows({0}));
        ASSERT_TRUE(robot.PressSet());
        for (const Expected& expected : formats)
        {
            SCOPED_TRACE(expected.format);
            ASSERT_TRUE(robot.ChooseFormat(expected.format));
            for (int button : {IDC_FORMAT_STANDARD, IDC_FORMAT_TEMPLATE, IDC_FORMAT_BULK_LIST, IDC_FORMAT_AD_HOC})
                EXPECT_EQ(button == expected.button, robot.Control(button).checked) << button;
            EXPECT_EQ(expected.description, robot.Control(IDC_FORMAT_DESCRIPTION).text);
            EXPECT_EQ(expected.templateText != nullptr, robot.Control(IDC_TEMPLATE).enabled);
            EXPECT_EQ(expected.templateText != nullptr, robot.Control(IDC_TEMPLATE_LABEL).enabled);
            EXPECT_EQ(expected.templateText ? expected.templateText : "", robot.Control(IDC_TEMPLATE).text);
            EXPECT_EQ(expected.benRefText != nullptr, robot.Control(IDC_BENREF).enabled);
            EXPECT_EQ(expected.benRefText != nullptr, robot.Control(IDC_BENREF_LABEL).enabled);
            EXPECT_EQ(expected.benRefText ? expected.benRefText : "", robot.Control(IDC_BENREF).text);
            EXPECT_EQ(expected.iat, robot.Control(IDC_IAT_CHECK).enabled);
            EXPECT_EQ(expected.iat, robot.Control(IDC_IAT_EXPLANATION).enabled);
            if (!expected.iat)
            {
                EXPECT_FALSE(robot.Control(IDC_IAT_CHECK).checked);
                for (int id : {IDC_PAYMENT_LIST, IDC_SET, IDC_RESET})
                    EXPECT_FALSE(robot.Control(id).enabled) << id;
            }
        }
        ASSERT_TRUE(robot.ChooseFormat(BulkList));
        robot.PressOk();
    }));
    EXPECT_EQ(BulkList, dialog.GetFormat());
    EXPECT_STREQ("BULK-TEMPLATE", dialog.GetTemplate().GetString());
    EXPECT_STREQ("REF-42", dialog.GetBenRef().GetString());
    EXPECT_EQ(std::vector<long>({IatMark, 0}), StatusCodes());
    EXPECT_EQ(std::vector<long>({IatMark}), payments->payments[0]->statusCodesSet);
}

// The template as written, before the dialog checks a radio button (which
// moves the tab stop to the checked one).
INT_PTR CALLBACK LeaveAsWritten(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

TEST_F(PaymentDialog, TabReachesTheFormatChoice)
{
    const HWND written = CreateDialogParamA(ModuleInstance(), MAKEINTRESOURCEA(IDD_PAYINFO), nullptr, LeaveAsWritten, 0);
    ASSERT_TRUE(written);
    auto style = [](HWND dialog, int id) { return GetWindowLongA(GetDlgItem(dialog, id), GWL_STYLE); };
    EXPECT_EQ(WS_TABSTOP | WS_GROUP, style(written, IDC_FORMAT_STANDARD) & (WS_TABSTOP | WS_GROUP));
    // One group: the arrow keys move between the four.
    for (int id : {IDC_FORMAT_TEMPLATE, IDC_FORMAT_BULK_LIST, IDC_FORMAT_AD_HOC})
        EXPECT_EQ(0, style(written, id) & (WS_TABSTOP | WS_GROUP)) << id;
    EXPECT_EQ(GetDlgItem(written, IDC_FORMAT_AD_HOC),
              GetNextDlgGroupItem(written, GetDlgItem(written, IDC_FORMAT_STANDARD), TRUE));
    EXPECT_EQ(GetDlgItem(written, IDC_FORMAT_STANDARD),
              GetNextDlgTabItem(written, GetDlgItem(written, IDCANCEL), FALSE));
    DestroyWindow(written);

    // In the dialog itself Tab, pressed on Cancel, goes to the chosen format.
    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        ASSERT_TRUE(robot.ChooseFormat(BulkList));
        const HWND dialog = robot.Dialog();
        const HWND cancel = GetDlgItem(dialog, IDCANCEL);
        GUITHREADINFO focus = {sizeof focus};
        const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
        auto focused = [&] {
            for (int attempt = 0; attempt < 100; ++attempt)
            {
                GetGUIThreadInfo(thread, &focus);
                if (focus.hwndFocus != cancel)
                    break;
                Sleep(10);
            }
            return focus.hwndFocus;
        };
        SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(cancel), TRUE);
        PostMessageA(cancel, WM_KEYDOWN, VK_TAB, 0);
        EXPECT_EQ(GetDlgItem(dialog, IDC_FORMAT_BULK_LIST), focused());
        robot.PressOk();
    }));
}

TEST_F(PaymentDialog, SwitchingFormatsDropsTypedTextForTheRememberedOne)
{
    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        ASSERT_TRUE(robot.ChooseFormat(TemplateDomestic));
        ASSERT_TRUE(robot.TypeTemplate("TYPED"));
        EXPECT_EQ("TYPED", robot.Control(IDC_TEMPLATE).text);
        ASSERT_TRUE(robot.ChooseFormat(StandardDomestic));
        EXPECT_EQ("", robot.Control(IDC_TEMPLATE).text);
        ASSERT_TRUE(robot.ChooseFormat(TemplateDomestic));
        EXPECT_EQ("BULK-TEMPLATE", robot.Control(IDC_TEMPLATE).text);
        ASSERT_TRUE(robot.TypeTemplate("CONFIRMED"));
        robot.PressOk();
    }));
    EXPECT_EQ(TemplateDomestic, dialog.GetFormat());
    EXPECT_STREQ("CONFIRMED", dialog.GetTemplate().GetString());
    EXPECT_STREQ("", dialog.GetBenRef().GetString()) << "a disabled box hands back nothing";
}

TEST_F(PaymentDialog, OkWithStandardDomesticHandsBackEmptyTexts)
{
    EXPECT_EQ(IDOK, Run([](PaymentDialogRobot& robot) { robot.PressOk(); }));
    EXPECT_EQ(StandardDomestic, dialog.GetFormat());
    EXPECT_STREQ("", dialog.GetTemplate().GetString());
    EXPECT_STREQ("", dialog.GetBenRef().GetString());
    EXPECT_EQ(NextCreditingDay, std::floor(dialog.GetProcessingDate()));
}

TEST_F(PaymentDialog, TextBoxesTakeTwentyAndEighteenCharacters)
{
    const std::string twenty = "ABCDEFGHIJKLMNOPQRST";
    const std::string eighteen = "123456789012345678";
    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        ASSERT_TRUE(robot.ChooseFormat(BulkList));
        ASSERT_TRUE(robot.TypeTemplate(twenty + "U"));
        ASSERT_TRUE(robot.TypeBenRef(eighteen + "9"));
        EXPECT_EQ(twenty, robot.Control(IDC_TEMPLATE).text);
        EXPECT_EQ(eighteen, robot.Control(IDC_BENREF).text);
        robot.PressOk();
    }));
    EXPECT_STREQ(twenty.c_str(), dialog.GetTemplate().GetString());
    EXPECT_STREQ(eighteen.c_str(), dialog.GetBenRef().GetString());
}

TEST_F(PaymentDialog, SetAndResetMarkTheSelectedPayments)
{
    AddPayments(4);
    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        EXPECT_FALSE(robot.PressSet()) << "disabled until the IAT box is ticked";
        ASSERT_TRUE(robot.ClickIatBox());
        for (int id : {IDC_PAYMENT_LIST, IDC_SET, IDC_RESET})
            EXPECT_TRUE(robot.Control(id).enabled) << id;
        ASSERT_TRUE(robot.SelectRows({1, 3}));
        ASSERT_TRUE(robot.PressSet());
        auto rows = robot.Rows();
        ASSERT_EQ(4u, rows.size());
        EXPECT_EQ("No", rows[0][6]);
        EXPECT_EQ("Yes", rows[1][6]);
        EXPECT_EQ("No", rows[2][6]);
        EXPECT_EQ("Yes", rows[3][6]);

        ASSERT_TRUE(robot.SelectRows({3}));
        ASSERT_TRUE(robot.PressReset());
        EXPECT_EQ("No", robot.Rows()[3][6]);

        // Unticking hides the controls but keeps the marks.
        ASSERT_TRUE(robot.ClickIatBox());
        EXPECT_FALSE(robot.Control(IDC_SET).enabled);
        EXPECT_EQ("Yes", robot.Rows()[1][6]);
        robot.PressOk();
    }));
    EXPECT_EQ(std::vector<long>({0, IatMark, 0, 0}), StatusCodes());
    EXPECT_TRUE(payments->payments[0]->statusCodesSet.empty());
    EXPECT_EQ(std::vector<long>({IatMark}), payments->payments[1]->statusCodesSet);
    EXPECT_EQ(std::vector<long>({IatMark, 0}), payments->payments[3]->statusCodesSet);
}

TEST_F(PaymentDialog, APaymentTheHostFailsToReturnClosesTheDialogNamingIt)
{
    AddPayment(L"10-00-00", L"Zero", 1);
    AddPayment(L"11-11-11", L"One", 2);
    payments->failingItems.insert(1);
    const RaisedFailure raised = RaisedBy([&] { dialog.ShowModal(nullptr); });
    EXPECT_EQ(E_FAIL, raised.result);
    EXPECT_EQ(L"The e-banking host failed in Item for payment 2 (0x80004005)", raised.description);
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Vorn Tilo Online Payment Processing"));
}

TEST_F(PaymentDialog, CancelAsksOnlyAfterAnEffectiveChangeAndClearsEveryMark)
{
    AddPayments(3);
    struct Case
    {
        const char* what;
        bool asks;
        Script script;
    };
    const Case cases[] = {
        {"nothing", false, [](PaymentDialogRobot&) {}},
        {"ticking the IAT box", false, [](PaymentDialogRobot& r) { r.ClickIatBox(); }},
        {"clicking the current format", false, [](PaymentDialogRobot& r) { r.ChooseFormat(StandardDomestic); }},
        {"Set with no row selected", false,
         [](PaymentDialogRobot& r) {
             r.ClickIatBox();
             r.PressSet();
         }},
        {"another format", true, [](PaymentDialogRobot& r) { r.ChooseFormat(AdHocBulk); }},
        {"a format changed and changed back", true,
         [](PaymentDialogRobot& r) {
             r.ChooseFormat(TemplateDomestic);
             r.ChooseFormat(StandardDomestic);
         }},
        {"a date changed and changed back", true,
         [&](PaymentDialogRobot& r) {
             r.SetProcessingDate(NextCreditingDay + 1);
             r.SetProcessingDate(NextCreditingDay);
         }},
        {"Set with a row selected", true,
         [](PaymentDialogRobot& r) {
             r.ClickIatBox();
             r.SelectRows({0});
             r.PressSet();
         }},
        {"Reset with a row selected", true,
         [](PaymentDialogRobot& r) {
             r.ClickIatBox();
             r.SelectRows({2});
             r.PressReset();
         }},
    };
    for (const Case& each : cases)
    {
        SCOPED_TRACE(each.what);
        payments->payments[1]->statusCode = IatMark;
        EXPECT_EQ(each.asks, CancelAsks(each.script));
        EXPECT_EQ(std::vector<long>({0, 0, 0}), StatusCodes());
    }
}

TEST_F(PaymentDialog, NoToTheCancelQuestionKeepsTheDialogOpen)
{
    AddPayment(L"10-00-00", L"Marked", 1, IatMark);
    EXPECT_EQ(IDCANCEL, Run([&](PaymentDialogRobot& robot) {
        ASSERT_TRUE(robot.ChooseFormat(BulkList));
        robot.PressCancel();
        const HWND box = robot.WaitForMessage();
        ASSERT_TRUE(box);
        AnswerMessageBox(box, IDNO);
        EXPECT_TRUE(IsWindowVisible(robot.Dialog()));
        EXPECT_EQ(IatMark, payments->payments[0]->statusCode);
        robot.PressCancel();
        AnswerMessageBox(robot.WaitForMessage(), IDYES);
    }));
    EXPECT_EQ(std::vector<long>({0}), StatusCodes());
}

TEST_F(PaymentDialog, OkKeepsTheDialogOpenUntilTheDatePassesBothChecks)
{
    const DATE lastDayAllowed = DateOf(2025, 5, 30);
    EXPECT_EQ(IDOK, Run([&](PaymentDialogRobot& robot) {
        const struct
        {
            DATE date;
            const char* caption;
        } rejected[] = {
            {DateOf(2025, 4, 14), "Invalid Banking Date Specified"},
            {DateOf(2025, 4, 19), "Non-Banking Date Specified"},
            {DateOf(2025, 4, 18), "Non-Banking Date Specified"},
            {DateOf(2025, 6, 2), "Invalid Processing Date Specified"},
        };
        for (const auto& each : rejected)
        {
            ASSERT_TRUE(robot.SetProcessingDate(each.date));
            robot.PressOk();
            const HWND box = robot.WaitForMessage();
            ASSERT_TRUE(box) << each.caption;
            const SeenMessageBox message = AnswerMessageBox(box, IDOK);
            EXPECT_EQ(each.caption, message.caption);
            EXPECT_EQ(static_cast<UINT>(MB_ICONWARNING), message.icon);
            EXPECT_TRUE(IsWindowVisible(robot.Dialog()));
        }
        ASSERT_TRUE(robot.SetProcessingDate(lastDayAllowed));
        robot.PressOk();
    }));
    EXPECT_EQ(lastDayAllowed, std::floor(dialog.GetProcessingDate()));
}

TEST_F(PaymentDialog, ShowModalWithoutAnyPaymentsCollection)
{
    CPayInfoDialog empty(nullptr, "", "");
    int result = 0;
    {
        RobotThread robot([] {
            PaymentDialogRobot dialog;
            ASSERT_TRUE(dialog.WaitForDialog());
            EXPECT_TRUE(dialog.Rows().empty());
            dialog.PressCancel();
            dialog.WaitUntilClosed();
        });
        result = empty.ShowModal(nullptr);
    }
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(PaymentDialog, AFailureOfItsWorkClosesTheDialogAndReachesTheCaller)
{
    AddPayments(2);
    payments->payments.push_back(ComPtr<FakePayment>(MakeHostObject<ExhaustedPayment>().Get()));
    EXPECT_EQ(E_OUTOFMEMORY, ThrownBy([&] { dialog.ShowModal(nullptr); })) << "the failure reaches the caller";
    EXPECT_EQ(nullptr, FindWindowA(nullptr, "Vorn Tilo Online Payment Processing"));

    // The next dialog works as ever.
    payments->payments.pop_back();
    CPayInfoDialog next(payments.Get(), "", "");
    int result = 0;
    {
        RobotThread robot([] {
            PaymentDialogRobot dialog;
            ASSERT_TRUE(dialog.WaitForDialog());
            EXPECT_EQ(2u, dialog.Rows().size());
            dialog.PressCancel();
            dialog.WaitUntilClosed();
        });
        result = next.ShowModal(nullptr);
    }
    EXPECT_EQ(IDCANCEL, result);
}

// Pictures of the dialog in each format, for people to look at; kept beside
// the test program, never compared.
TEST_F(PaymentDialog, PicturesOfEachFormat)
{
    AddPayment(L"40-47-84", L"Harbour Supplies Ltd", 1250.00);
    AddPayment(L"20-32-53", L"North Mill Joinery", 87.45, IatMark);
    AddPayment(L"30-96-35", L"Ashby & Sons", 15320.10);
    AddPayment(L"60-16-13", L"Greenway Couriers", 412.99);
    const std::string folder = BesideTestProgram("pictures");
    CreateDirectoryA(folder.c_str(), nullptr);
    const struct
    {
        PaymentFormat format;
        const char* name;
    } pictures[] = {{StandardDomestic, "standard-domestic"},
                    {TemplateDomestic, "template-domestic"},
                    {BulkList, "bulk-list"},
                    {AdHocBulk, "ad-hoc-bulk"}};
    for (const auto& picture : pictures)
    {
        const std::string path = folder + "\\payment-dialog-" + picture.name + ".png";
        DeleteFileA(path.c_str());
        Run([&](PaymentDialogRobot& robot) {
            robot.ChooseFormat(picture.format);
            if (picture.format == StandardDomestic)
            {
                robot.ClickIatBox();
                robot.SelectRows({2});
                robot.PressSet();
                robot.SelectRows({0});
            }
            EXPECT_TRUE(robot.SavePicture(path)) << path;
            robot.CloseByForce();
        });
        char signature[8] = {};
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file) << path;
        DWORD read = 0;
        ReadFile(file, signature, sizeof signature, &read, nullptr);
        CloseHandle(file);
        EXPECT_EQ(0, memcmp(signature, "\x89PNG\r\n\x1a\n", 8)) << path;
    }
}
