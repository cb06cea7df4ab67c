// Statement files for tests: real files in the temporary folder, written
// byte for byte as given and deleted with the object.
#pragma once

#include <string>
#include <vector>

class TempStatementFile
{
public:
    explicit TempStatementFile(const std::string& content);
    ~TempStatementFile();
    TempStatementFile(const TempStatementFile&) = delete;
    TempStatementFile& operator=(const TempStatementFile&) = delete;

    const char* Path() const { return m_path.c_str(); }

private:
    std::string m_path;
};

// The fields joined by commas, as they stand (quotes are the caller's).
std::string CommaLine(const std::vector<std::string>& fields);

// A header line of the given number of fields ("Column 1,Column 2,...").
std::string HeaderLine(int fieldCount);

// A path in the temporary folder where no file exists.
std::string MissingStatementPath();
