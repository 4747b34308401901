#pragma once
// What the fuzz targets share: failing with a message, cutting an input into arguments, a
// check of UTF-8, and a temporary file that holds the input for the readers of files.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// Stops the run when a property does not hold; libFuzzer then keeps the input.
inline void Check(bool holds, const char* what) {
    if (!holds) {
        std::fprintf(stderr, "Fuzz check failed: %s\n", what);
        std::abort();
    }
}

// The fuzzer's bytes as a string.
inline std::string Bytes(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// `input` cut at its first `count` - 1 line feeds into `count` arguments (missing ones are
// empty), so that a seed file holds one argument per line and the last may hold line feeds.
inline std::vector<std::string> Arguments(std::string_view input, std::size_t count) {
    std::vector<std::string> arguments;
    while (arguments.size() + 1 < count) {
        const std::size_t end = input.find('\n');
        arguments.emplace_back(input.substr(0, end));
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
    }
    arguments.emplace_back(input);
    return arguments;
}

// Whether `bytes` is well-formed UTF-8: no overlong forms, no surrogates, nothing past
// U+10FFFF, no truncated sequence.
inline bool IsValidUtf8(std::string_view bytes) {
    std::size_t i = 0;
    while (i < bytes.size()) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        std::size_t length = 0;
        unsigned char low = 0x80;
        unsigned char high = 0xBF;
        if (lead < 0x80) {
            length = 1;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : low;
            high = lead == 0xED ? 0x9F : high;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : low;
            high = lead == 0xF4 ? 0x8F : high;
        } else {
            return false;
        }
        if (i + length > bytes.size()) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto byte = static_cast<unsigned char>(bytes[i + k]);
            if (k == 1 ? (byte < low || byte > high) : (byte & 0xC0) != 0x80) {
                return false;
            }
        }
        i += length;
    }
    return true;
}

// A file of its own in $TMPDIR (or /tmp) for the life of the object; Write replaces its
// content.
class TempFile {
public:
    TempFile() {
        const char* folder = std::getenv("TMPDIR");
        std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/fuzzXXXXXX";
        const int fd = mkstemp(pattern.data());
        Check(fd >= 0, "a temporary file can be created");
        close(fd);
        m_path = pattern;
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile() { std::remove(m_path.c_str()); }

    void Write(const std::string& content) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.close();
        Check(out.good(), "the input can be written to the temporary file");
    }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

} // namespace fuzz
