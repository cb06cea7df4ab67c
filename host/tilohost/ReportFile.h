// The report for programs (--report FILE): one record per line, fields
// separated by commas. In text fields a backslash is written \\, a comma \,,
// a carriage return \r and a line feed \n, so every record is one line and
// splits at its unescaped commas. Written in UTF-8 with LF line ends.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tilohost/FileAccess.h"

std::string EscapeReportText(const std::string& text);

// 0x and eight upper-case hex digits.
std::string HResultText(HRESULT result);

// A number with `decimals` digits after the point.
std::string FixedNumber(double value, int decimals);

class ReportFile
{
public:
    // Creates the file at once, so a path that cannot be written is bad
    // input before anything runs (BadInput). No path: records are dropped.
    explicit ReportFile(const std::string& path);

    // Fields as given: texts must be escaped by the caller. Written as they
    // come, a block at a time, so a long report is never held whole.
    void Add(const std::vector<std::string>& fields);
    // Writes the last records and closes the file; false when any writing
    // failed.
    bool Save();

private:
    OutputFile m_file;
    std::string m_text;
    bool m_written = true;
};
