// One transaction line of a statement file, as the reader leaves it.
#pragma once

#include "text/CString.h"

#include "com/CArray.h"
#include "statements/StatementLine.h"

class CTransactionRecord
{
public:
    // Raised by the reader and caught by it; none leaves the reader.
    enum
    {
        ErrorTooFewFields = 1,
        ErrorFileNotOpen = 4
    };

    // Every text empty, every number 0.
    void Reset();

    const CString& GetSortCode() const { return m_sortCode; }
    const CString& GetAccountNumber() const { return m_accountNumber; }
    const CString& GetType() const { return m_type; }
    const CString& GetFirstNarrative() const { return m_narrative1; }
    double GetDebit() const { return m_debit; }
    double GetCredit() const { return m_credit; }
    double GetDate() const { return m_date; }
    int IsDebit() const { return m_isDebit; }

    CString GetAccountAlias() const { return m_accountAlias; }
    CString GetAccountShortName() const { return m_accountShortName; }
    CString GetCurrency() const { return m_currency; }
    CString GetAccountType() const { return m_accountType; }
    CString GetBic() const { return m_bic; }
    CString GetBankName() const { return m_bankName; }
    CString GetBranchName() const { return m_branchName; }
    // The Date column as read, quotes stripped and not cut.
    CString GetDateText() const { return m_dateText; }

    // Narrative 1, then each further non-empty narrative after one space (so
    // an empty narrative 1 before a filled narrative 2 gives a leading
    // space); at most 254 characters.
    CString GetNarrative();

private:
    friend void ParseRecord(CStatementLineReader& lines, const CArray<int>& columnIndex,
                            CTransactionRecord& record);

    CString m_sortCode;
    CString m_accountNumber;
    CString m_accountAlias;
    CString m_accountShortName;
    CString m_currency;
    CString m_accountType;
    CString m_bic;
    CString m_bankName;
    CString m_branchName;
    CString m_dateText;
    CString m_narrative;
    CString m_narrative1;
    CString m_narrative2;
    CString m_narrative3;
    CString m_narrative4;
    CString m_narrative5;
    CString m_type;
    double m_debit = 0.0;
    double m_credit = 0.0;
    int m_isDebit = 0;
    double m_date = 0.0;
};
