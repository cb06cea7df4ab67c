// The recognition function that the host's file selection component calls.
#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "statements/RecognizeStatementFile.h"
#include "statements/TransactionFile.h"
#include "support/StatementFiles.h"

namespace
{
struct TypeNameBuffer
{
    TypeNameBuffer() { memset(bytes, 'x', sizeof bytes); }
    bool Untouched() const
    {
        for (char byte : bytes)
            if (byte != 'x')
                return false;
        return true;
    }
    char bytes[64];
};
}

TEST(RecognizeStatementFile, HeadersOfEighteenOrFourteenFieldsAreStatements)
{
    for (int fields : {18, 14})
    {
        TemporaryFile file(StatementContent(fields, {}));
        TypeNameBuffer typeName;
        EXPECT_EQ(1, RecognizeStatementFile(typeName.bytes, file.Path())) << fields;
        EXPECT_EQ(0, memcmp("Tilo Online Statement", typeName.bytes, 22)) << fields;
        EXPECT_EQ('x', typeName.bytes[22]) << "exactly 22 bytes are written";
    }
}

TEST(RecognizeStatementFile, AnythingElseIsDeclinedAndTheBufferLeftAlone)
{
    TemporaryFile fifteen(StatementContent(15, {}));
    TemporaryFile empty("");
    for (const std::string& path : {std::string(fifteen.Path()), std::string(empty.Path()), MissingStatementPath()})
    {
        TypeNameBuffer typeName;
        EXPECT_EQ(0, RecognizeStatementFile(typeName.bytes, path.c_str())) << path;
        EXPECT_TRUE(typeName.Untouched()) << path;
    }
    TypeNameBuffer typeName;
    EXPECT_EQ(0, RecognizeStatementFile(typeName.bytes, nullptr));
    TemporaryFile statement(StatementContent(18, {}));
    EXPECT_EQ(0, RecognizeStatementFile(nullptr, statement.Path()));
}

TEST(RecognizeStatementFile, RecognisesWhatTheImportReads)
{
    // The header read as the import reads it: an end-of-file character is a
    // byte like any other, and the carriage return is no part of the limit.
    const std::string header = HeaderLine(18);
    for (const std::string& first :
         {header + "\x1A\r\n", header + std::string(2047 - header.size(), ' ') + "\r\n"})
    {
        TemporaryFile file(first + FullStatementLine(StatementLineFields()) + "\r\n");
        char typeName[64] = {};
        EXPECT_EQ(1, RecognizeStatementFile(typeName, file.Path()));
        CTransactionFile importing(file.WidePath().c_str());
        EXPECT_NO_THROW(importing.BuildColumnIndex());
    }
}
