#include <gtest/gtest.h>

#include <string.h>

#include <string>

#include "payments/PaymentFileChoice.h"

namespace
{
// The filter up to and including its two closing NULs.
std::string FilterBytes(const char* extension)
{
    char filter[SaveFilterSize];
    memset(filter, '#', sizeof filter);
    BuildSaveFilter(extension, filter);
    const char* end = filter;
    while (end[0] || end[1])
        ++end;
    return std::string(static_cast<const char*>(filter), end + 2);
}
}

TEST(SaveFilter, PairsOfDescriptionAndPatternEndedByTwoNuls)
{
    const char withExtension[] = "Payment Files (*.csv)\0*.csv\0All Files (*.*)\0*.*\0";
    const char withoutExtension[] = "All Files (*.*)\0*.*\0";
    // Each literal brings its own last NUL.
    EXPECT_EQ(std::string(withExtension, sizeof withExtension), FilterBytes("csv"));
    EXPECT_EQ(std::string(withoutExtension, sizeof withoutExtension), FilterBytes(""));
}
