#include "statements/RecognizeStatementFile.h"

#include <string.h>

#include "statements/TransactionFile.h"

extern "C" int __cdecl RecognizeStatementFile(char* typeName, const char* path)
{
    try
    {
        CTransactionFile file(path);
        const bool recognised = file.HasStatementHeader();
        file.Close();
        if (!recognised || !typeName)
            return 0;
        memcpy(typeName, StatementTypeName, sizeof StatementTypeName);
        return 1;
    }
    catch (...)
    {
        // The host called a plain function: nothing may unwind into it.
        return 0;
    }
}
