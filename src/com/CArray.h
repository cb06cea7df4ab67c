// The module's growable array of plain values (integers, interface
// pointers). It grows by a fixed step, or doubles when the step is 0; new
// room is zero-filled. A failed allocation is thrown as E_OUTOFMEMORY and an
// index outside the entries as E_INVALIDARG.
#pragma once

#include <windows.h>
#include <stdlib.h>
#include <string.h>
#include <type_traits>

template <class T>
class CArray
{
    static_assert(std::is_trivially_copyable<T>::value, "CArray holds plain values");

public:
    explicit CArray(int growthStep) : m_growthStep(growthStep) {}
    CArray(const CArray&) = delete;
    CArray& operator=(const CArray&) = delete;
    ~CArray() { free(m_data); }

    int GetSize() const { return m_size; }

    T GetAt(int index) const
    {
        if (index < 0 || index >= m_size)
            throw E_INVALIDARG;
        return m_data[index];
    }

    void Add(T value)
    {
        if (m_size == m_capacity)
            Grow();
        m_data[m_size++] = value;
    }

    // Closes the gap; the freed room at the end is zeroed again.
    void RemoveAt(int index)
    {
        if (index < 0 || index >= m_size)
            throw E_INVALIDARG;
        memmove(m_data + index, m_data + index + 1, (m_size - index - 1) * sizeof(T));
        --m_size;
        memset(m_data + m_size, 0, sizeof(T));
    }

    // Frees the storage.
    void RemoveAll()
    {
        free(m_data);
        m_data = nullptr;
        m_size = 0;
        m_capacity = 0;
    }

private:
    void Grow()
    {
        const int capacity = m_growthStep > 0 ? m_capacity + m_growthStep
                                              : (m_capacity > 0 ? m_capacity * 2 : 1);
        T* data = static_cast<T*>(realloc(m_data, capacity * sizeof(T)));
        if (!data)
            throw E_OUTOFMEMORY;
        memset(data + m_capacity, 0, (capacity - m_capacity) * sizeof(T));
        m_data = data;
        m_capacity = capacity;
    }

    int m_growthStep;
    int m_capacity = 0;
    int m_size = 0;
    T* m_data = nullptr;
};
