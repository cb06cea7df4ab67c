// Owners of every resource the component and its host hold: interface
// pointers, BSTRs, VARIANTs and the system's plain handles are given back
// when their owner goes, on every path.
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

// One owner for every kind of plain handle: Traits names the handle type,
// its empty value and how it is given back. The handle goes back when its
// owner goes, on every path.
template <class Traits>
class UniqueHandle
{
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle owned) : m_handle(owned) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(other.Detach()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }
    ~UniqueHandle() { Reset(); }

    // Gives back what is held and takes `owned` instead.
    void Reset(Handle owned = Traits::Empty())
    {
        const Handle old = m_handle;
        m_handle = owned;
        if (old != Traits::Empty())
            Traits::Close(old);
    }
    Handle Detach()
    {
        const Handle handle = m_handle;
        m_handle = Traits::Empty();
        return handle;
    }
    // For out-arguments: gives back what is held and gives the slot.
    Handle* Out()
    {
        Reset();
        return &m_handle;
    }
    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != Traits::Empty(); }

private:
    Handle m_handle = Traits::Empty();
};

struct FileHandleTraits
{
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
struct FindHandleTraits
{
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { FindClose(handle); }
};
struct RegistryKeyTraits
{
    using Handle = HKEY;
    static Handle Empty() { return nullptr; }
    static void Close(Handle key) { RegCloseKey(key); }
};
struct ModuleHandleTraits
{
    using Handle = HMODULE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle module) { FreeLibrary(module); }
};
// LocalAlloc'd memory, as FormatMessage hands it out.
struct LocalMemoryTraits
{
    using Handle = HLOCAL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle memory) { LocalFree(memory); }
};

// A GDI object (a bitmap, a pen, a brush) of type Object, deleted.
template <class Object>
struct GdiObjectTraits
{
    using Handle = Object;
    static Handle Empty() { return nullptr; }
    static void Close(Handle object) { DeleteObject(object); }
};
// A memory device context of CreateCompatibleDC, deleted.
struct MemoryDCTraits
{
    using Handle = HDC;
    static Handle Empty() { return nullptr; }
    static void Close(Handle dc) { DeleteDC(dc); }
};
// A hook of SetWindowsHookEx, removed.
struct WindowsHookTraits
{
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle hook) { UnhookWindowsHookEx(hook); }
};

using FileHandle = UniqueHandle<FileHandleTraits>;
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegistryKey = UniqueHandle<RegistryKeyTraits>;
using ModuleHandle = UniqueHandle<ModuleHandleTraits>;
using LocalMemory = UniqueHandle<LocalMemoryTraits>;
using Bitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using MemoryDC = UniqueHandle<MemoryDCTraits>;
using WindowsHook = UniqueHandle<WindowsHookTraits>;

// A window's device context, given back to its window; for a null window,
// the screen's.
class WindowDC
{
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    ~WindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Holds a critical section from construction to destruction.
class CriticalSectionLock
{
public:
    explicit CriticalSectionLock(CRITICAL_SECTION& section) : m_section(section) { EnterCriticalSection(&m_section); }
    CriticalSectionLock(const CriticalSectionLock&) = delete;
    CriticalSectionLock& operator=(const CriticalSectionLock&) = delete;
    ~CriticalSectionLock() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION& m_section;
};
