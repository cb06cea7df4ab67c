#include "statements/TransactionRecord.h"

#include <initializer_list>

void CTransactionRecord::Reset()
{
    // Emptying keeps each text's buffer for the next line.
    for (CString* text : {&m_sortCode, &m_accountNumber, &m_accountAlias, &m_accountShortName,
                          &m_currency, &m_accountType, &m_bic, &m_bankName, &m_branchName,
                          &m_dateText, &m_narrative, &m_narrative1, &m_narrative2, &m_narrative3,
                          &m_narrative4, &m_narrative5, &m_type})
        *text = "";
    m_debit = 0.0;
    m_credit = 0.0;
    m_isDebit = 0;
    m_date = 0.0;
}

CString CTransactionRecord::GetNarrative()
{
    m_narrative = "";
    if (m_narrative1.GetLength() > 0)
        m_narrative = m_narrative1;
    for (const CString* next : {&m_narrative2, &m_narrative3, &m_narrative4, &m_narrative5})
    {
        if (next->GetLength() > 0)
        {
            m_narrative.Append(" ");
            m_narrative.Append(*next);
        }
    }
    return m_narrative;
}
