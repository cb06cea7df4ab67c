#include "statements/ParseRecord.h"

#include "statements/FieldSplitting.h"
#include "statements/ParseAmount.h"
#include "statements/ParseDate.h"
#include "statements/StatementLine.h"
#include "statements/TextCleaning.h"

#include <string.h>

namespace
{
const int ShortLayoutFields = 14;
const int FullLayoutFields = 18;
const double AmountThreshold = 0.000005;

// The field of a column, through its entry in the column index table; a
// field the line lacks reads as empty.
CString ColumnText(const char* line, const CArray<int>& columnIndex, int entry)
{
    const char* field = GetField(line, ',', columnIndex.GetAt(entry));
    return CString(field ? field : "");
}

// A text column: quotes stripped, then its first `width` characters. The
// work is done in a buffer, so the record's text keeps its own buffer from
// line to line instead of taking new ones.
void ReadTextColumn(const char* line, const CArray<int>& columnIndex, int entry, int width, CString& target)
{
    char text[MaxFieldLength + 1];
    const char* field = GetField(line, ',', columnIndex.GetAt(entry));
    const size_t length = field ? strnlen(field, MaxFieldLength) : 0;
    memcpy(text, field ? field : "", length);
    text[length] = '\0';
    StripQuotes(text);
    if (width < MaxFieldLength)
        text[width] = '\0';
    target = text;
}

// A line of nothing but blanks (a lone carriage return of a line end
// included) carries no transaction: an edited file may hold one anywhere.
bool IsBlank(const char* line)
{
    for (const char* p = line; *p; ++p)
    {
        if (*p != ' ' && *p != '\t' && *p != '\r')
            return false;
    }
    return true;
}
}

void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex, CTransactionRecord& record)
{
    record.Reset();
    char line[StatementLineBufferSize];
    LineRead read = lines.ReadLine(line);
    while (read == LineRead::Line && IsBlank(line))
        read = lines.ReadLine(line);
    if (read != LineRead::Line)
        throw CTransactionRecord::ErrorTooFewFields;
    bool insideQuotes = false;
    const int fieldCount = CountFields(line, ',', insideQuotes);
    if (fieldCount < ShortLayoutFields)
        throw CTransactionRecord::ErrorTooFewFields;
    // A short header gives a table of 14 entries: its 18-field lines are read
    // by the short positions too.
    const bool fullLayout = fieldCount == FullLayoutFields && columnIndex.GetSize() >= FullLayoutFields;

    ReadTextColumn(line, columnIndex, 0, 6, record.m_sortCode);
    ReadTextColumn(line, columnIndex, 1, 8, record.m_accountNumber);
    ReadTextColumn(line, columnIndex, 2, 35, record.m_accountAlias);
    ReadTextColumn(line, columnIndex, 3, 35, record.m_accountShortName);
    ReadTextColumn(line, columnIndex, 4, 3, record.m_currency);
    ReadTextColumn(line, columnIndex, 5, 20, record.m_accountType);
    ReadTextColumn(line, columnIndex, 6, 34, record.m_bic);
    ReadTextColumn(line, columnIndex, 7, 35, record.m_bankName);
    ReadTextColumn(line, columnIndex, 8, 27, record.m_branchName);
    ReadTextColumn(line, columnIndex, 9, MaxFieldLength, record.m_dateText);
    record.m_date = ParseDate(record.m_dateText);
    ReadTextColumn(line, columnIndex, 10, 50, record.m_narrative1);

    int entry = 11;
    if (fullLayout)
    {
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative2);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative3);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative4);
        ReadTextColumn(line, columnIndex, entry++, 50, record.m_narrative5);
    }
    ReadTextColumn(line, columnIndex, entry++, 3, record.m_type);

    const int debitEntry = entry++;
    const int creditEntry = entry;
    const double debit = ParseAmount(ColumnText(line, columnIndex, debitEntry));
    if (debit > AmountThreshold)
    {
        record.m_debit = debit;
        record.m_isDebit = 1;
        return;
    }
    const double credit = ParseAmount(ColumnText(line, columnIndex, creditEntry));
    if (credit > AmountThreshold)
        record.m_credit = credit;
}
