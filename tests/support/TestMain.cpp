// Runs the tests on a single-threaded apartment thread, as the host calls
// the component. A filter that selects no test is a failure, not a pass; a
// call on a host object that it does not serve fails the test that made it.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>

#include "common/ComScope.h"
#include "support/UnexpectedHostCalls.h"

int main(int argc, char** argv)
{
    // Lines end in LF only, as CTest reads the list of tests.
    _setmode(_fileno(stdout), _O_BINARY);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new UnexpectedHostCallCheck);
    int result;
    {
        const ComScope ole(ComScope::Ole);
        result = RUN_ALL_TESTS();
    }
    if (result == 0 && !GTEST_FLAG_GET(list_tests) && testing::UnitTest::GetInstance()->test_to_run_count() == 0)
    {
        fprintf(stderr, "No test matches the filter \"%s\".\n", GTEST_FLAG_GET(filter).c_str());
        return 1;
    }
    return result;
}
