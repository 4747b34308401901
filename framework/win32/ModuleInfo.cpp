#include "framework/win32/ModuleInfo.h"

#include "framework/win32/WideText.h"

#include <windows.h>

#include <vector>

std::string GetModulePath() {
    // The path may exceed MAX_PATH; grow the buffer until the whole path fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return text::FromWide(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

std::string GetModuleBaseName() {
    std::string name = GetModulePath();
    const auto slash = name.find_last_of("\\/");
    if (slash != std::string::npos) {
        name.erase(0, slash + 1);
    }
    const auto dot = name.find_last_of('.');
    if (dot != std::string::npos) {
        name.erase(dot);
    }
    return name;
}
