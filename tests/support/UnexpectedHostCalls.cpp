#include "support/UnexpectedHostCalls.h"

#include <algorithm>
#include <utility>

#include "objects/HostObject.h"

void UnexpectedHostCallCheck::OnTestEnd(const testing::TestInfo&)
{
    // A failure a test armed in the host never reaches the next test.
    FailServedHostCall(0, S_OK);
    const std::vector<std::string> calls = TakeUnexpectedHostCalls();
    if (calls.empty())
        return;
    std::string list;
    for (const std::string& call : calls)
        list += "\n  " + call;
    ADD_FAILURE() << calls.size() << " call(s) on host objects that they do not serve (answered E_NOTIMPL):"
                  << list;
}

ExpectUnexpectedHostCalls::ExpectUnexpectedHostCalls(std::vector<std::string> calls)
    : m_calls(std::move(calls)), m_before(UnexpectedHostCalls().size())
{
}

ExpectUnexpectedHostCalls::~ExpectUnexpectedHostCalls()
{
    std::vector<std::string> recorded = TakeUnexpectedHostCalls();
    const size_t before = std::min(m_before, recorded.size());
    EXPECT_EQ(m_calls, std::vector<std::string>(recorded.begin() + before, recorded.end()));
    for (size_t index = 0; index < before; ++index)
        RecordUnexpectedHostCall(recorded[index]);
}
