#include "tilohost/AutoAnswers.h"

#include <cctype>
#include <cstdlib>

#include "tilohost/Failures.h"

namespace
{
BadUsage Wrong(const std::string& item, const std::string& wanted)
{
    return BadUsage("--auto: \"" + item + "\": " + wanted);
}

bool IsDigits(const std::string& text, size_t minimum, size_t maximum)
{
    if (text.size() < minimum || text.size() > maximum)
        return false;
    for (char ch : text)
    {
        if (!std::isdigit(static_cast<unsigned char>(ch)))
            return false;
    }
    return true;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

void ParseDate(const std::string& item, const std::string& value, AutoAnswers& answers)
{
    const std::string wanted = "wants a date YYYY-MM-DD";
    if (value.size() != 10 || value[4] != '-' || value[7] != '-' || !IsDigits(value.substr(0, 4), 4, 4) ||
        !IsDigits(value.substr(5, 2), 2, 2) || !IsDigits(value.substr(8, 2), 2, 2))
        throw Wrong(item, wanted);
    answers.year = std::atoi(value.substr(0, 4).c_str());
    answers.month = std::atoi(value.substr(5, 2).c_str());
    answers.day = std::atoi(value.substr(8, 2).c_str());
    if (answers.year < 1753 || answers.month < 1 || answers.month > 12 || answers.day < 1 ||
        answers.day > DaysInMonth(answers.year, answers.month))
        throw Wrong(item, "no such day");
    answers.dateGiven = true;
}

std::vector<int> ParseRows(const std::string& item, const std::string& value)
{
    std::vector<int> rows;
    size_t start = 0;
    for (;;)
    {
        const size_t comma = value.find(',', start);
        const std::string row = value.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (!IsDigits(row, 1, 6))
            throw Wrong(item, "wants row indices I,J,... counted from 0");
        rows.push_back(std::atoi(row.c_str()));
        if (comma == std::string::npos)
            return rows;
        start = comma + 1;
    }
}

bool Choice(const std::string& item, const std::string& value, const char* yes, const char* no)
{
    if (value == yes)
        return true;
    if (value == no)
        return false;
    throw Wrong(item, std::string("wants ") + yes + " or " + no);
}

void ParseItem(const std::string& item, AutoAnswers& answers)
{
    const size_t equals = item.find('=');
    if (equals == std::string::npos)
        throw Wrong(item, "wants name=value");
    const std::string name = item.substr(0, equals);
    const std::string value = item.substr(equals + 1);
    if (name == "format")
    {
        if (value.size() != 1 || value[0] < '0' || value[0] > '3')
            throw Wrong(item, "wants a format 0, 1, 2 or 3");
        answers.format = value[0] - '0';
    }
    else if (name == "date")
        ParseDate(item, value, answers);
    else if (name == "template")
    {
        answers.templateGiven = true;
        answers.templateName = value;
    }
    else if (name == "benref")
    {
        answers.benRefGiven = true;
        answers.benRef = value;
    }
    else if (name == "iat")
        answers.iatRows = ParseRows(item, value);
    else if (name == "dialog")
        answers.confirmDialog = Choice(item, value, "ok", "cancel");
    else if (name == "save")
    {
        if (value.empty())
            throw Wrong(item, "wants a path or cancel");
        answers.saveGiven = true;
        answers.cancelSave = value == "cancel";
        answers.savePath = answers.cancelSave ? std::string() : value;
    }
    else if (name == "redirect")
        answers.openRedirectFolder = Choice(item, value, "yes", "no");
    else if (name == "shot")
    {
        if (value.empty())
            throw Wrong(item, "wants a path");
        answers.picturePath = value;
    }
    else
        throw Wrong(item, "unknown answer (format, date, template, benref, iat, dialog, save, redirect, shot)");
}
}

const char* PaymentFormatLabel(int format)
{
    static const char* const labels[] = {"Standard Domestic/IATs", "Use a Template for Domestic/IAT",
                                         "Bulk List Payments", "Ad Hoc Bulk Payments"};
    return format >= 0 && format < 4 ? labels[format] : "unknown";
}

AutoAnswers ParseAutoAnswers(const std::string& text)
{
    AutoAnswers answers;
    size_t start = 0;
    while (start <= text.size())
    {
        const size_t semicolon = text.find(';', start);
        const std::string item = text.substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start);
        if (!item.empty())
            ParseItem(item, answers);
        if (semicolon == std::string::npos)
            break;
        start = semicolon + 1;
    }
    return answers;
}
