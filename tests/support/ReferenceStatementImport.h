// The statement import as it was first written, kept only to compare with:
// every line cut out field by field with a fresh walk, every text copied
// into a string, amounts read by atof and dates converted and converted back
// through the platform's OLE date functions, and each text converted for the
// host with MultiByteToWideChar. It gives the host calls the import must
// make for a statement file, for a host account.
#pragma once

#include <string>
#include <vector>

#include "objects/FakeStatement.h"

// The calls a statement and its transactions receive, in order, when the
// file's content is imported for the account (the digits of its sort code
// and its account number). The statement is first cleared and its balance
// set to 0.
std::vector<StatementCall> ReferenceImportCalls(const std::string& content, const std::string& sortCodeDigits,
                                                const std::string& accountNumber);

// The first written reader's amount and date of a field's text.
double ReferenceParseAmount(const std::string& field);
double ReferenceParseDate(const std::string& text);
