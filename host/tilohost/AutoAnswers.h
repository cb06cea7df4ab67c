// What the robot of `pay --auto ANSWERS` does in the run's windows: a
// ';'-separated list of name=value items.
#pragma once

#include <string>
#include <vector>

struct AutoAnswers
{
    int format = -1;  // 0..3; -1 keeps the format the dialog opens with
    bool dateGiven = false;
    int year = 0, month = 0, day = 0;
    bool templateGiven = false;
    std::string templateName;  // UTF-8
    bool benRefGiven = false;
    std::string benRef;        // UTF-8
    std::vector<int> iatRows;
    bool confirmDialog = true;  // dialog=ok|cancel
    bool saveGiven = false;
    bool cancelSave = false;    // save=cancel
    std::string savePath;       // save=PATH
    bool openRedirectFolder = false;  // redirect=yes|no
    std::string picturePath;    // shot=PNG
};

// The label of a payment format's radio button in the dialog; "unknown"
// for any other value.
const char* PaymentFormatLabel(int format);

// Throws BadUsage naming the item that is wrong.
AutoAnswers ParseAutoAnswers(const std::string& text);
