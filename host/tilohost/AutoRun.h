// `pay --auto`: the answers turned into the robot's work in the run's
// windows, in the order a person would act. In the payment dialog: mark the
// IAT rows (tick the IAT box, select the rows, press Set) while the dialog
// shows its opening format; pick the format; type the template and the
// beneficiary reference where the format has their boxes enabled; set the
// date through the picker; take the picture; press OK or Cancel. A dialog
// still open after OK (a refused date) is cancelled. Every message box gets
// OK; the "Windows Redirect" question gets the answer given; every other
// Yes/No question, the save dialog's question to replace a file included,
// gets Yes.
#pragma once

#include <string>
#include <vector>

#include "robot/PaymentRunRobot.h"
#include "tilohost/AutoAnswers.h"

// What the robot did in the payment dialog, step by step, for people.
struct DialogSteps
{
    std::vector<std::string> done;
};

// `steps` is filled on the robot's thread: read it after the robot stops.
PaymentRunAnswers RobotAnswers(const AutoAnswers& answers, DialogSteps& steps);
