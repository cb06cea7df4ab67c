// Calls on the host's recording objects that they do not serve fail the
// test that made them: the test main installs the check, which looks at the
// process-wide record after each test, fails the test naming every such
// call, and empties the record for the next.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

class UnexpectedHostCallCheck : public testing::EmptyTestEventListener
{
public:
    void OnTestEnd(const testing::TestInfo& test) override;
};

// For a test that makes such calls on purpose: the calls made while it
// lives must be exactly `calls`, in order, and they are then taken off the
// record; calls recorded before it stay there.
class ExpectUnexpectedHostCalls
{
public:
    explicit ExpectUnexpectedHostCalls(std::vector<std::string> calls);
    ExpectUnexpectedHostCalls(const ExpectUnexpectedHostCalls&) = delete;
    ExpectUnexpectedHostCalls& operator=(const ExpectUnexpectedHostCalls&) = delete;
    ~ExpectUnexpectedHostCalls();

private:
    std::vector<std::string> m_calls;
    size_t m_before;
};
