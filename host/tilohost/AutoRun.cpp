#include "tilohost/AutoRun.h"

#include "resources/resource.h"
#include "tilohost/TextConversion.h"

namespace
{
// Long enough for OK's checks to show their message; a dialog open for
// longer with no message up has refused OK.
const DWORD RefusedOkAfterMs = 2000;

std::string RowList(const std::vector<int>& rows)
{
    std::string text;
    for (size_t index = 0; index < rows.size(); ++index)
        text += (index ? "," : "") + std::to_string(rows[index]);
    return text;
}

void MarkIats(PaymentDialogRobot& dialog, const std::vector<int>& rows, DialogSteps& steps)
{
    if (rows.empty())
        return;
    if (!dialog.Control(IDC_IAT_CHECK).checked && !dialog.ClickIatBox())
    {
        steps.done.push_back("IAT rows " + RowList(rows) + " not marked: the IAT box is disabled");
        return;
    }
    if (dialog.SelectRows(rows) && dialog.PressSet())
        steps.done.push_back("IAT rows " + RowList(rows) + " marked (Set)");
    else
        steps.done.push_back("IAT rows " + RowList(rows) + " not marked: the list or Set is disabled");
}

void TypeInto(bool given, const std::string& text, const char* what, bool typed, DialogSteps& steps)
{
    if (!given)
        return;
    steps.done.push_back(typed ? std::string(what) + " \"" + text + "\" typed"
                               : std::string(what) + " \"" + text + "\" ignored: its box is disabled in this format");
}

void WorkDialog(PaymentDialogRobot& dialog, const AutoAnswers& answers, DialogSteps& steps)
{
    MarkIats(dialog, answers.iatRows, steps);
    if (answers.format >= 0)
    {
        if (dialog.ChooseFormat(static_cast<PaymentFormat>(answers.format)))
            steps.done.push_back("format " + std::to_string(answers.format) + " (" +
                                 PaymentFormatLabel(answers.format) + ") chosen");
        else
            steps.done.push_back("format " + std::to_string(answers.format) + " could not be chosen");
    }
    TypeInto(answers.templateGiven, answers.templateName, "template",
             answers.templateGiven && dialog.TypeTemplate(AnsiFromUtf8(answers.templateName)), steps);
    TypeInto(answers.benRefGiven, answers.benRef, "beneficiary reference",
             answers.benRefGiven && dialog.TypeBenRef(AnsiFromUtf8(answers.benRef)), steps);
    if (answers.dateGiven)
    {
        char date[16];
        snprintf(date, sizeof date, "%04d-%02d-%02d", answers.year, answers.month, answers.day);
        const bool set = dialog.SetProcessingDate(static_cast<WORD>(answers.year), static_cast<WORD>(answers.month),
                                                  static_cast<WORD>(answers.day));
        steps.done.push_back(std::string("processing date ") + date + (set ? " set" : " refused by the picker"));
    }
    if (!answers.picturePath.empty())
        steps.done.push_back(dialog.SavePicture(answers.picturePath)
                                 ? "picture saved: " + answers.picturePath
                                 : "picture not saved: " + answers.picturePath);
    if (answers.confirmDialog)
    {
        dialog.PressOk();
        steps.done.push_back("OK pressed");
    }
    else
    {
        dialog.PressCancel();
        steps.done.push_back("Cancel pressed");
    }
}
}

PaymentRunAnswers RobotAnswers(const AutoAnswers& answers, DialogSteps& steps)
{
    PaymentRunAnswers robot;
    robot.paymentDialog = [answers, &steps](PaymentDialogRobot& dialog) { WorkDialog(dialog, answers, steps); };
    robot.abandonAfterMs = RefusedOkAfterMs;
    robot.saveOfferedName = !answers.saveGiven;
    robot.fileName = AnsiFromUtf8(answers.savePath);
    robot.replaceExisting = true;
    robot.messageAnswers["Windows Redirect"] = answers.openRedirectFolder ? IDYES : IDNO;
    robot.otherQuestions = IDYES;
    return robot;
}
