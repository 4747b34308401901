#pragma once
// What every answer of the page's accessible object is made of: the system's accessibility
// library, loaded by path, the strings and child ids handed to a reader, and Reply, the checks
// and the exception guard around each answer.

#include "framework/win32/Boundary.h"
#include "menu/win32/PageAccessible.h"

#include <windows.h>

#include <string>
#include <utility>

namespace accessible {

// The function `name` of the accessibility library, or null where the library or the function
// is missing. The library is no known DLL: it is loaded from the system folder alone, and stays
// loaded once it is.
void* LibraryFunction(const char* name);

template <typename Function> Function AccessibilityFunction(const char* name) {
    return reinterpret_cast<Function>(LibraryFunction(name));
}

// `utf8` as a new string for the caller to free, in `out`.
HRESULT GiveString(const std::string& utf8, BSTR* out);

void SetId(VARIANT* out, long id);

// What the questions answer for a child that has no such property.
constexpr HRESULT kNotSupported = DISP_E_MEMBERNOTFOUND;

inline void Clear(BSTR* out) {
    *out = nullptr;
}
inline void Clear(VARIANT* out) {
    VariantInit(out);
}
inline void Clear(long* out) {
    *out = 0;
}
inline void Clear(IDispatch** out) {
    *out = nullptr;
}

// Whether a question can be answered once the page has gone.
enum class Needs { Nothing, Page };

// What every question of a screen reader does before and around its answer: each of its
// out-parameters must be given and is cleared; one that needs the page fails as disconnected
// once the page has gone; and `body`, which builds strings and lists, lets no exception
// through to the reader's side of the call: it is reported, and the answer is E_UNEXPECTED.
template <typename Body, typename... Outs>
HRESULT Reply(Needs needs, const IAccessiblePage* page, Body&& body, Outs*... outs) noexcept {
    if (((outs == nullptr) || ...)) {
        return E_POINTER;
    }
    (Clear(outs), ...);
    if (needs == Needs::Page && page == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    return Guarded(std::forward<Body>(body), HRESULT{E_UNEXPECTED});
}

} // namespace accessible
