// Opens the payment dialog over a full batch of 4000 payments, a few times,
// and prints how long it takes from ShowModal until the dialog is on the
// screen with its list filled (the list is filled before the dialog shows),
// and from pressing Cancel until ShowModal returns (Cancel clears the IAT
// mark of every payment).
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <stdio.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "dialog/PayInfoDialog.h"
#include "objects/FakePayments.h"
#include "robot/PaymentDialogRobot.h"
#include "support/BenchmarkBatch.h"

namespace
{
const int Repetitions = 5;

double Milliseconds(LONGLONG ticks)
{
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

struct Timing
{
    double open;
    double close;
    int rows;
};

Timing OpenAndCancel(IVornPayments* payments)
{
    CPayInfoDialog dialog(payments, "Suppliers", "June run");
    std::atomic<LONGLONG> start{0};
    LONGLONG shown = 0;
    LONGLONG cancelled = 0;
    int rows = 0;
    {
        RobotThread robot([&] {
            while (start == 0)
                Sleep(0);
            HWND window = nullptr;
            while (!window)
            {
                window = FindWindowA("#32770", PaymentDialogRobot::Caption);
                if (window && !IsWindowVisible(window))
                    window = nullptr;
            }
            shown = Now();
            rows = static_cast<int>(SendDlgItemMessageA(window, IDC_PAYMENT_LIST, LVM_GETITEMCOUNT, 0, 0));
            cancelled = Now();
            PressButton(window, IDCANCEL);
        });
        start = Now();
        dialog.ShowModal(nullptr);
    }
    return {Milliseconds(shown - start), Milliseconds(Now() - cancelled), rows};
}
}

int main()
{
    OleInitialize(nullptr);
    {
        ComPtr<FakePayments> payments = MakeHostObject<FakePayments>();
        AddBenchmarkPayments(*payments.Get(), {true});
        std::vector<double> opens;
        for (int repetition = 1; repetition <= Repetitions; ++repetition)
        {
            const Timing timing = OpenAndCancel(payments.Get());
            opens.push_back(timing.open);
            printf("payment dialog, %ld payments, run %d: open and filled in %.1f ms (%d rows), closed by Cancel "
                   "in %.1f ms\n",
                   MaximumPayments, repetition, timing.open, timing.rows, timing.close);
        }
        std::sort(opens.begin(), opens.end());
        printf("payment dialog, %ld payments: median time to open %.1f ms\n", MaximumPayments,
               opens[opens.size() / 2]);
    }
    OleUninitialize();
    return 0;
}
