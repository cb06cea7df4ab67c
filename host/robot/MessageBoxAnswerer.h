// Answers the message boxes that this process shows, as a user would: reads
// what each box shows, then presses one of its buttons. It works on its own
// thread for as long as it lives, so the thread under test can sit in the
// box's modal loop; a box that should not have appeared is answered too, so
// the test sees it instead of hanging.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

// What a standard message box shows.
struct SeenMessageBox
{
    HWND owner = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons; // ids of the buttons offered (IDOK, IDCANCEL, IDYES, ...), ascending
    UINT icon = 0;            // MB_ICONHAND, MB_ICONQUESTION, MB_ICONEXCLAMATION, MB_ICONASTERISK or 0
};

SeenMessageBox InspectMessageBox(HWND box);

class MessageBoxAnswerer
{
public:
    // Presses `button` on every box.
    explicit MessageBoxAnswerer(int button = IDOK);
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
    ~MessageBoxAnswerer();

    // Stops answering; gives every box answered, in the order they appeared.
    std::vector<SeenMessageBox> Stop();

private:
    void Answer(int button);

    std::atomic<bool> m_stop{false};
    std::vector<SeenMessageBox> m_seen;
    std::thread m_thread;
};
