#include "robot/PaymentRunRobot.h"

#include <algorithm>

namespace
{
bool IsOpen(HWND window)
{
    return IsWindow(window) && IsWindowVisible(window);
}

bool IsPaymentDialog(HWND window)
{
    return ClassNameOf(window) == "#32770" && WindowText(window) == PaymentDialogRobot::Caption;
}

bool IsRunWindow(HWND window)
{
    return IsMessageBox(window) || IsPaymentDialog(window) || IsFileDialog(window);
}

LONGLONG Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}
}

PaymentRunRobot::PaymentRunRobot(PaymentRunAnswers answers)
    : m_answers(std::move(answers)), m_thread([this] { Answer(); })
{
}

PaymentRunRobot::~PaymentRunRobot()
{
    Stop();
}

PaymentRunSeen PaymentRunRobot::Stop()
{
    m_stop = true;
    if (m_thread.joinable())
        m_thread.join();
    return m_seen;
}

void PaymentRunRobot::Answer()
{
    while (!m_stop)
    {
        // A window already worked may stay open (a question of its own is
        // up, or it refused what it was given); it is not worked twice.
        const HWND window = WaitForWindowMatching(
            [this](HWND candidate) {
                return IsRunWindow(candidate) &&
                    std::find(m_handled.begin(), m_handled.end(), candidate) == m_handled.end();
            },
            0);
        if (!window)
        {
            Sleep(20);
            continue;
        }
        if (IsMessageBox(window))
        {
            AnswerBox(window);
            continue;
        }
        m_handled.push_back(window);
        if (IsPaymentDialog(window))
            AnswerPaymentDialog(window);
        else
            AnswerSaveDialog(window);
    }
}

void PaymentRunRobot::AnswerPaymentDialog(HWND window)
{
    ++m_seen.paymentDialogs;
    m_seen.paymentDialogOwner = GetWindow(window, GW_OWNER);
    PaymentDialogRobot dialog;
    if (!dialog.WaitForDialog(0))
        return;
    if (m_answers.paymentDialog)
        m_answers.paymentDialog(dialog);
    else
        dialog.PressCancel();
    FinishPaymentDialog(dialog);
}

void PaymentRunRobot::FinishPaymentDialog(PaymentDialogRobot& dialog)
{
    DWORD start = GetTickCount();
    while (IsOpen(dialog.Dialog()))
    {
        if (const HWND box = WaitForMessageBox(dialog.Dialog(), 20))
        {
            AnswerBox(box);
            start = GetTickCount();
            continue;
        }
        if (GetTickCount() - start > m_answers.abandonAfterMs)
        {
            ++m_seen.abandonedDialogs;
            dialog.CloseByForce();
            return;
        }
    }
}

void PaymentRunRobot::AnswerSaveDialog(HWND window)
{
    ++m_seen.saveDialogs;
    SaveDialogRobot dialog;
    dialog.Attach(window);
    m_seen.saveDialogOwner = dialog.Owner();
    m_seen.offeredFileName = dialog.FileName();
    m_seen.fileTypes = dialog.FileTypes();
    const std::string fileName = m_answers.saveOfferedName ? m_seen.offeredFileName : m_answers.fileName;
    if (fileName.empty())
    {
        dialog.Cancel();
        return;
    }
    m_seen.savedAt = Now();
    const bool saved = dialog.Save(fileName, m_answers.replaceExisting);
    const auto& questions = dialog.Questions();
    m_seen.saveQuestions.insert(m_seen.saveQuestions.end(), questions.begin(), questions.end());
    if (!saved)
        dialog.Cancel();
}

void PaymentRunRobot::AnswerBox(HWND box)
{
    const auto answer = m_answers.messageAnswers.find(ReadMessageBox(box).caption);
    int button = GetDlgItem(box, IDOK) ? IDOK : m_answers.otherQuestions;
    if (answer != m_answers.messageAnswers.end())
        button = answer->second;
    m_seen.messages.push_back(AnswerMessageBox(box, button));
}
