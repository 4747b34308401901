#include "brand/VersionInfo.h"

#include <cstdint>
#include <utility>
#include <vector>

namespace brand {

namespace {

constexpr std::uint32_t kFixedSignature = 0xFEEF04BD;
constexpr std::uint32_t kFixedVersion = 0x00010000;
constexpr std::uint32_t kVersionHigh = 0x00010000; // 1.0
constexpr std::uint32_t kVersionLow = 0;           // .0.0
constexpr std::uint32_t kFlagsMask = 0x3F;         // VS_FFI_FILEFLAGSMASK
constexpr std::uint32_t kOsNtWindows32 = 0x00040004;
constexpr std::uint32_t kTypeApplication = 1;
constexpr unsigned kBinary = 0;
constexpr unsigned kText = 1;

void Put16(std::string& out, unsigned value) {
    out.push_back(static_cast<char>(value & 0xFF));
    out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void Put32(std::string& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

void Set16(std::string& out, std::size_t at, std::size_t value) {
    out[at] = static_cast<char>(value & 0xFF);
    out[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// ASCII text as UTF-16, with its closing NUL.
void PutText(std::string& out, const std::string& text) {
    for (const char c : text) {
        Put16(out, static_cast<unsigned char>(c));
    }
    Put16(out, 0);
}

void Align(std::string& out) {
    while (out.size() % 4 != 0) {
        out.push_back('\0');
    }
}

// A block: its length, value length and type, its key, its value, then its children, each
// child on a 4-byte boundary. The length covers the block up to the end of its last child.
std::string Block(const std::string& key, unsigned type, std::size_t valueLength,
                  const std::string& value, const std::vector<std::string>& children) {
    std::string out;
    Put16(out, 0);
    Put16(out, static_cast<unsigned>(valueLength));
    Put16(out, type);
    PutText(out, key);
    Align(out);
    out += value;
    for (const std::string& child : children) {
        Align(out);
        out += child;
    }
    Set16(out, 0, out.size());
    return out;
}

std::string Text(const std::string& key, const std::string& value) {
    std::string text;
    PutText(text, value);
    return Block(key, kText, value.size() + 1, text, {});
}

std::string FixedInfo() {
    std::string fixed;
    for (const std::uint32_t value :
         {kFixedSignature, kFixedVersion, kVersionHigh, kVersionLow, kVersionHigh, kVersionLow,
          kFlagsMask, std::uint32_t{0}, kOsNtWindows32, kTypeApplication, std::uint32_t{0},
          std::uint32_t{0}, std::uint32_t{0}}) {
        Put32(fixed, value);
    }
    return fixed;
}

} // namespace

std::string Description(const ProductNames& names) {
    return names.product + " installation disc menu";
}

std::string LegalCopyright(const ProductNames& names) {
    return "Copyright (C) " + names.company + ". All rights reserved.";
}

std::string VersionResource(const ProductNames& names) {
    const std::vector<std::pair<const char*, std::string>> texts = {
        {"CompanyName", names.company},
        {"FileDescription", Description(names)},
        {"FileVersion", "1.0.0.0"},
        {"InternalName", "Install"},
        {"LegalCopyright", LegalCopyright(names)},
        {"OriginalFilename", "Install.exe"},
        {"ProductName", names.product},
        {"ProductVersion", "1.0.0.0"},
    };
    std::vector<std::string> strings;
    strings.reserve(texts.size());
    for (const auto& [key, value] : texts) {
        strings.push_back(Text(key, value));
    }
    const std::string table = Block("040904e4", kText, 0, {}, strings);
    std::string translation;
    Put16(translation, 0x0409); // US English
    Put16(translation, 1252);
    const std::string var = Block("Translation", kBinary, translation.size(), translation, {});
    const std::string fixed = FixedInfo();
    return Block("VS_VERSION_INFO", kBinary, fixed.size(), fixed,
                 {Block("StringFileInfo", kText, 0, {}, {table}),
                  Block("VarFileInfo", kText, 0, {}, {var})});
}

} // namespace brand
