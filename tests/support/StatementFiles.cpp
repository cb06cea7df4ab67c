#include "support/StatementFiles.h"

#include <windows.h>

#include <stdio.h>

namespace
{
std::string NewTempFileName()
{
    char folder[MAX_PATH] = {};
    char path[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    GetTempFileNameA(folder, "stm", 0, path);
    return path;
}
}

std::string CommaLine(const std::vector<std::string>& fields)
{
    std::string line;
    for (size_t i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + fields[i];
    return line;
}

std::string HeaderLine(int fieldCount)
{
    std::vector<std::string> names;
    for (int i = 1; i <= fieldCount; ++i)
        names.push_back("Column " + std::to_string(i));
    return CommaLine(names);
}

namespace
{
std::vector<std::string> FixedColumns(const StatementLineFields& fields)
{
    return {fields.sortCode, fields.accountNumber, "Main account", "MAIN", "GBP", "Current", "TILOGB2L",
            "Tilo Bank", "Market Street", fields.date};
}

std::string Narrative(const StatementLineFields& fields, size_t index)
{
    return index < fields.narratives.size() ? fields.narratives[index] : std::string();
}
}

std::string FullStatementLine(const StatementLineFields& fields)
{
    std::vector<std::string> columns = FixedColumns(fields);
    for (size_t i = 0; i < 5; ++i)
        columns.push_back(Narrative(fields, i));
    columns.insert(columns.end(), {fields.type, fields.debit, fields.credit});
    return CommaLine(columns);
}

std::string ShortStatementLine(const StatementLineFields& fields)
{
    std::vector<std::string> columns = FixedColumns(fields);
    columns.insert(columns.end(), {Narrative(fields, 0), fields.type, fields.debit, fields.credit});
    return CommaLine(columns);
}

std::string StatementContent(int headerFields, const std::vector<std::string>& lines)
{
    std::string content = HeaderLine(headerFields) + "\r\n";
    for (const std::string& line : lines)
        content += line + "\r\n";
    return content;
}

std::string MissingStatementPath()
{
    std::string path = NewTempFileName();
    DeleteFileA(path.c_str());
    return path;
}
