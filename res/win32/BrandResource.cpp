#include "res/win32/BrandResource.h"

#include "res/Brand.h"
#include "res/Product.h"

namespace product {

std::string BrandResourceText(HMODULE module) {
    // The type spelt out, so that it stays the ANSI form that FindResourceA takes.
    const LPCSTR kRawData = MAKEINTRESOURCEA(10);
    const HRSRC found = FindResourceA(module, kBrandResourceName, kRawData);
    const HGLOBAL loaded = found != nullptr ? LoadResource(module, found) : nullptr;
    const char* data = loaded != nullptr ? static_cast<const char*>(LockResource(loaded)) : nullptr;
    if (data == nullptr) {
        return std::string();
    }
    return std::string(data, SizeofResource(module, found));
}

void UseBrandOf(HMODULE module) {
    UseBrand(ReadBrand(BrandResourceText(module)));
}

} // namespace product
