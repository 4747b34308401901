#pragma once
// The reference count of a COM object of the program's own, for all the interfaces it
// implements: AddRef and Release once, and the object deletes itself at the last release. The
// object answers QueryInterface itself.
//
//   class CSink final : public CComObject<IDispatch> { ... };
//   CComPtr<CSink> sink(new CSink(...)); // the first reference is the creator's

#include <windows.h>

template <typename... Interfaces> class CComObject : public Interfaces... {
public:
    CComObject() = default;
    CComObject(const CComObject&) = delete;
    CComObject& operator=(const CComObject&) = delete;

    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG references = --m_references;
        if (references == 0) {
            delete this;
        }
        return references;
    }

protected:
    virtual ~CComObject() = default;

    // Hands out `pointer` (an interface of this object) with a reference.
    template <typename Interface> HRESULT Give(Interface* pointer, void** object) {
        *object = pointer;
        AddRef();
        return S_OK;
    }

private:
    ULONG m_references = 1;
};
