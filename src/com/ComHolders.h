// Owners of COM resources: interface pointers, BSTRs and VARIANTs are
// released when their owner goes, on every path.
#pragma once

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

template <class T>
class ComPtr
{
public:
    ComPtr() = default;
    explicit ComPtr(T* pointer) : m_pointer(pointer)
    {
        if (m_pointer)
            m_pointer->AddRef();
    }
    ComPtr(const ComPtr& other) : ComPtr(other.m_pointer) {}
    ComPtr(ComPtr&& other) noexcept : m_pointer(other.Detach()) {}
    ~ComPtr() { Reset(); }

    ComPtr& operator=(ComPtr other) noexcept
    {
        T* old = m_pointer;
        m_pointer = other.m_pointer;
        other.m_pointer = old;
        return *this;
    }

    // Takes over a reference that the caller already owns.
    void Attach(T* pointer)
    {
        Reset();
        m_pointer = pointer;
    }
    T* Detach()
    {
        T* pointer = m_pointer;
        m_pointer = nullptr;
        return pointer;
    }
    void Reset()
    {
        T* pointer = Detach();
        if (pointer)
            pointer->Release();
    }

    // For out-arguments: releases what is held and gives the slot.
    T** Out()
    {
        Reset();
        return &m_pointer;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }

    T* Get() const { return m_pointer; }
    T* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    // Hands a new reference to the caller.
    T* CopyOut() const
    {
        if (m_pointer)
            m_pointer->AddRef();
        return m_pointer;
    }

    template <class Other>
    HRESULT As(REFIID iid, ComPtr<Other>& target) const
    {
        if (!m_pointer)
            return E_POINTER;
        return m_pointer->QueryInterface(iid, target.OutVoid());
    }

private:
    T* m_pointer = nullptr;
};

class BStr
{
public:
    BStr() = default;
    explicit BStr(BSTR owned) : m_bstr(owned) {}
    BStr(const BStr&) = delete;
    BStr& operator=(const BStr&) = delete;
    BStr(BStr&& other) noexcept : m_bstr(other.Detach()) {}
    ~BStr() { Reset(); }

    void Reset()
    {
        SysFreeString(m_bstr);
        m_bstr = nullptr;
    }
    BSTR* Out()
    {
        Reset();
        return &m_bstr;
    }
    BSTR Detach()
    {
        BSTR bstr = m_bstr;
        m_bstr = nullptr;
        return bstr;
    }
    BSTR Get() const { return m_bstr; }
    // Characters before the terminator; 0 for a null BSTR.
    UINT Length() const { return SysStringLen(m_bstr); }
    // A null BSTR reads as the empty text.
    const wchar_t* Text() const { return m_bstr ? m_bstr : L""; }

private:
    BSTR m_bstr = nullptr;
};

class Variant
{
public:
    Variant() { VariantInit(&m_variant); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    ~Variant() { VariantClear(&m_variant); }

    VARIANT* Get() { return &m_variant; }
    const VARIANT* Get() const { return &m_variant; }
    VARIANT* operator->() { return &m_variant; }
    const VARIANT* operator->() const { return &m_variant; }

private:
    VARIANT m_variant;
};

// A kernel file handle, closed when its owner goes.
class FileHandle
{
public:
    FileHandle() = default;
    explicit FileHandle(HANDLE owned) : m_handle(owned) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle(FileHandle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = INVALID_HANDLE_VALUE; }
    FileHandle& operator=(FileHandle&& other) noexcept
    {
        if (this != &other)
        {
            Reset();
            m_handle = other.m_handle;
            other.m_handle = INVALID_HANDLE_VALUE;
        }
        return *this;
    }
    ~FileHandle() { Reset(); }

    void Reset()
    {
        if (m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
        m_handle = INVALID_HANDLE_VALUE;
    }
    HANDLE Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle = INVALID_HANDLE_VALUE;
};
