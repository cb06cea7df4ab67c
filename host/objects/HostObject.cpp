#include "objects/HostObject.h"

#include <cxxabi.h>
#include <stdlib.h>

#include <memory>
#include <mutex>

namespace
{
// Calls may come from any thread.
struct UnexpectedCallRecord
{
    std::mutex lock;
    std::vector<std::string> calls;
};

UnexpectedCallRecord& Record()
{
    static UnexpectedCallRecord record;
    return record;
}
}

void RecordUnexpectedHostCall(const std::string& call)
{
    UnexpectedCallRecord& record = Record();
    const std::lock_guard<std::mutex> held(record.lock);
    record.calls.push_back(call);
}

std::vector<std::string> UnexpectedHostCalls()
{
    UnexpectedCallRecord& record = Record();
    const std::lock_guard<std::mutex> held(record.lock);
    return record.calls;
}

std::vector<std::string> TakeUnexpectedHostCalls()
{
    UnexpectedCallRecord& record = Record();
    const std::lock_guard<std::mutex> held(record.lock);
    std::vector<std::string> calls;
    calls.swap(record.calls);
    return calls;
}

namespace
{
struct ServedCalls
{
    long count = 0;
    long failAt = 0;
    HRESULT failure = S_OK;
    const char* failed = nullptr;
};

ServedCalls g_served;
}

void FailServedHostCall(long at, HRESULT result)
{
    g_served = ServedCalls{};
    g_served.failAt = at;
    g_served.failure = result;
}

long ServedHostCalls()
{
    return g_served.count;
}

std::string FailedHostCall()
{
    return g_served.failed ? g_served.failed : "";
}

HRESULT ServeHostCall(const char* call)
{
    if (++g_served.count != g_served.failAt)
        return S_OK;
    g_served.failed = call;
    return g_served.failure;
}

std::string ReadableTypeName(const std::type_info& type)
{
    int status = 0;
    const std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type.name(), nullptr, nullptr, &status),
                                                      free);
    return status == 0 && name ? name.get() : type.name();
}
