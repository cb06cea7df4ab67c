#include "statements/RecognizeStatementFile.h"

#include <string.h>

#include "com/ErrorReporting.h"
#include "statements/TransactionFile.h"

extern "C" int __cdecl RecognizeStatementFile(char* typeName, const char* path)
{
    return CallbackGuard(0, [&] {
        CTransactionFile file(path);
        const bool recognised = file.HasStatementHeader();
        file.Close();
        if (!recognised || !typeName)
            return 0;
        memcpy(typeName, StatementTypeName, sizeof StatementTypeName);
        return 1;
    });
}
