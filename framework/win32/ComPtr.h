#pragma once
// Owners of COM references and strings: every interface pointer the program receives lives in
// a CComPtr, which releases it on every path out; every BSTR it makes lives in a CBstr.

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <string>
#include <utility>

template <typename Interface> class CComPtr {
public:
    CComPtr() = default;
    // Takes over a reference the caller already holds.
    explicit CComPtr(Interface* pointer) : m_pointer(pointer) {}
    CComPtr(const CComPtr& other) : m_pointer(other.m_pointer) {
        if (m_pointer != nullptr) {
            m_pointer->AddRef();
        }
    }
    CComPtr(CComPtr&& other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    CComPtr& operator=(CComPtr other) noexcept {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }
    ~CComPtr() { reset(); }

    Interface* get() const { return m_pointer; }
    Interface* operator->() const { return m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    void reset() {
        if (Interface* old = std::exchange(m_pointer, nullptr)) {
            old->Release();
        }
    }

    // The place for an out parameter that hands over a reference; what was held is released.
    Interface** put() {
        reset();
        return &m_pointer;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }

    // Another interface of the same object; empty when the object does not have it.
    template <typename Other> CComPtr<Other> Query(REFIID iid) const {
        CComPtr<Other> other;
        if (m_pointer != nullptr) {
            m_pointer->QueryInterface(iid, other.put_void());
        }
        return other;
    }

private:
    Interface* m_pointer = nullptr;
};

// A BSTR made from UTF-8 text, freed when destroyed.
class CBstr {
public:
    explicit CBstr(const std::string& utf8);
    CBstr(const CBstr&) = delete;
    CBstr& operator=(const CBstr&) = delete;
    ~CBstr() { SysFreeString(m_bstr); }

    BSTR get() const { return m_bstr; }

private:
    BSTR m_bstr = nullptr;
};
