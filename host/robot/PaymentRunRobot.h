// Answers every window of a payment run as a user would, from a thread of
// its own while the run holds the caller's thread: the payment dialog, the
// save dialog and the message boxes, each worked by its own robot. What it
// does in each is given as a set of answers, so a test, a benchmark or a
// command-line host builds a whole run from the same pieces.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "robot/MessageBoxAnswerer.h"
#include "robot/PaymentDialogRobot.h"
#include "robot/SaveDialogRobot.h"

struct PaymentRunAnswers
{
    // Works the payment dialog and ends it (PressOk or PressCancel); the
    // dialog's own message boxes that it leaves are answered as below. Null
    // cancels the dialog. A dialog still open a while after (its OK refused,
    // say) is given up: cancelled, and counted as abandoned.
    std::function<void(PaymentDialogRobot&)> paymentDialog;
    // How long "a while" is: the time the dialog may stay open, with no
    // message of its own up, once its answers are done.
    DWORD abandonAfterMs = 5000;
    // What to type in the save dialog; empty cancels it.
    std::string fileName;
    // Saves under the name the save dialog offers, whatever `fileName` says.
    bool saveOfferedName = false;
    // The answer to the save dialog's question whether to replace a file; a
    // file not replaced makes the user cancel the save dialog.
    bool replaceExisting = true;
    // Buttons pressed on message boxes, by caption. A box whose caption is
    // not here gets OK, or `otherQuestions` when it has no OK.
    std::map<std::string, int> messageAnswers = {
        {"Windows Redirect", IDNO},
        {"Changes have been made", IDYES},
    };
    int otherQuestions = IDNO;
};

// What the robot met in the windows of the run.
struct PaymentRunSeen
{
    int paymentDialogs = 0;
    HWND paymentDialogOwner = nullptr;
    // Payment dialogs that the answers left open and the robot cancelled.
    int abandonedDialogs = 0;
    int saveDialogs = 0;
    HWND saveDialogOwner = nullptr;
    std::string offeredFileName;
    std::vector<std::string> fileTypes;
    // The save dialog's own questions (replace an existing file).
    std::vector<SeenMessageBox> saveQuestions;
    // Every other message box, in the order answered.
    std::vector<SeenMessageBox> messages;
    // When the file name was confirmed (QueryPerformanceCounter); 0 if never.
    LONGLONG savedAt = 0;
};

class PaymentRunRobot
{
public:
    explicit PaymentRunRobot(PaymentRunAnswers answers);
    PaymentRunRobot(const PaymentRunRobot&) = delete;
    PaymentRunRobot& operator=(const PaymentRunRobot&) = delete;
    ~PaymentRunRobot();

    // Stops answering once the run is over; gives what was met.
    PaymentRunSeen Stop();

private:
    void Answer();
    void AnswerPaymentDialog(HWND dialog);
    void FinishPaymentDialog(PaymentDialogRobot& dialog);
    void AnswerSaveDialog(HWND dialog);
    void AnswerBox(HWND box);

    PaymentRunAnswers m_answers;
    PaymentRunSeen m_seen;
    std::vector<HWND> m_handled;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
