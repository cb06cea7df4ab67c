#include "tilohost/WrittenPaymentFile.h"

namespace
{
// Field positions, counted from 1 as the layouts count them.
const size_t RecordTypeField = 4;
const size_t TemplateField = 6;
const size_t AmountField = 17;
const size_t DateField = 19;
const size_t PayeeSortCodeField = 25;
const size_t ReferenceField = 37;

std::vector<std::string> SplitFields(const std::string& line)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;)
    {
        const size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma == std::string::npos ? std::string::npos : comma - start));
        if (comma == std::string::npos)
            return fields;
        start = comma + 1;
    }
}

std::string Field(const std::vector<std::string>& fields, size_t position)
{
    return position <= fields.size() ? fields[position - 1] : std::string();
}

// The format that the first line's record type stands for; standard and
// template lines differ in the payee sort code, which only the standard
// format writes (padded, so never empty).
int FormatOfFirstLine(const std::vector<std::string>& first)
{
    const std::string type = Field(first, RecordTypeField);
    if (type == "06")
        return 2;
    if (type == "08")
        return 3;
    if (type == "01" || type == "03")
        return Field(first, PayeeSortCodeField).empty() ? 1 : 0;
    return -1;
}

bool IsPaymentLine(int format, const std::string& type)
{
    switch (format)
    {
    case 0:
    case 1:
        return type == "01" || type == "03";
    case 2:
        return type == "07";
    case 3:
        return type == "09";
    default:
        return false;
    }
}
}

WrittenPaymentFile ParsePaymentFile(const std::string& bytes)
{
    WrittenPaymentFile file;
    size_t start = 0;
    while (start < bytes.size())
    {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        file.lines.push_back(SplitFields(line));
        start = end + 1;
    }
    if (file.lines.empty())
        return file;

    const std::vector<std::string>& first = file.lines[0];
    file.format = FormatOfFirstLine(first);
    file.headerLines = file.format == 2 || file.format == 3 ? 1 : 0;
    for (size_t index = file.headerLines; index < file.lines.size(); ++index)
    {
        const std::string type = Field(file.lines[index], RecordTypeField);
        if (!IsPaymentLine(file.format, type))
        {
            file.format = -1;
            file.headerLines = 0;
            file.paymentLines = 0;
            file.iatLines = 0;
            file.amounts.clear();
            return file;
        }
        ++file.paymentLines;
        file.amounts.push_back(Field(file.lines[index], AmountField));
        file.iatLines += type == "03";
    }
    // Standard and template lines carry the date, bulk files their header.
    file.processingDate = Field(first, DateField);
    if (file.format == 1 || file.format == 2)
        file.templateName = Field(first, TemplateField);
    if (file.format == 2 || file.format == 3)
        file.benRef = Field(first, ReferenceField);
    return file;
}

long long PenceOfWrittenAmount(const std::string& written)
{
    const bool negative = !written.empty() && written[0] == '-';
    const std::string digits = written.substr(negative ? 1 : 0);
    const size_t point = digits.find('.');
    // More than 15 digits of pounds would not fit the count of pence.
    if (point == std::string::npos || point == 0 || point > 15 || digits.size() != point + 3 ||
        digits.find_first_not_of("0123456789", 0) != point ||
        digits.find_first_not_of("0123456789", point + 1) != std::string::npos)
        return 0;
    const long long pence = std::stoll(digits.substr(0, point)) * 100 + std::stoll(digits.substr(point + 1));
    return negative ? -pence : pence;
}

std::string ShownProcessingDate(const std::string& written)
{
    if (written.size() != 8 || written.find_first_not_of("0123456789") != std::string::npos)
        return written;
    return written.substr(0, 2) + "/" + written.substr(2, 2) + "/" + written.substr(4);
}
