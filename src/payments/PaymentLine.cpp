#include "payments/PaymentLine.h"

#include <string.h>

CPaymentLine::CPaymentLine(int fieldCount) : m_fieldCount(fieldCount)
{
    if (fieldCount < 1 || fieldCount > StandardFieldCount)
        throw E_INVALIDARG;
}

void CPaymentLine::Set(int field, const CString& value)
{
    if (field < 1 || field > m_fieldCount)
        throw E_INVALIDARG;
    m_fields[field - 1] = value;
}

// The line gathers in a buffer that goes to the file in few writes: one
// stream call per field and comma would cost more than everything else.
void CPaymentLine::Write(FILE* file) const
{
    char buffer[1024];
    size_t used = 0;
    auto put = [&](const char* text, size_t length) {
        while (length > 0)
        {
            if (used == sizeof buffer)
            {
                fwrite(buffer, 1, used, file);
                used = 0;
            }
            const size_t room = sizeof buffer - used;
            const size_t part = length < room ? length : room;
            memcpy(buffer + used, text, part);
            used += part;
            text += part;
            length -= part;
        }
    };
    for (int index = 0; index < m_fieldCount; ++index)
    {
        if (index > 0)
            put(",", 1);
        put(m_fields[index].GetString(), static_cast<size_t>(m_fields[index].GetLength()));
    }
    put("\n", 1);
    fwrite(buffer, 1, used, file);
}
