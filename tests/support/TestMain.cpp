// Runs the tests on a single-threaded apartment thread, as the host calls
// the component.
#include <gtest/gtest.h>
#include <ole2.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    OleInitialize(nullptr);
    const int result = RUN_ALL_TESTS();
    OleUninitialize();
    return result;
}
