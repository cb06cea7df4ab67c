#include "statements/HostText.h"

#include <new>

BStr ToHostText(const CString& text)
{
    const int length = text.GetLength();
    const int wideLength =
        length > 0 ? MultiByteToWideChar(CP_THREAD_ACP, 0, text.GetString(), length, nullptr, 0) : 0;
    BStr converted(SysAllocStringLen(nullptr, wideLength > 0 ? wideLength : 0));
    if (!converted.Get())
        throw std::bad_alloc();
    if (wideLength > 0)
        MultiByteToWideChar(CP_THREAD_ACP, 0, text.GetString(), length, converted.Get(), wideLength);
    return converted;
}
