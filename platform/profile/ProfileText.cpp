#include "platform/profile/ProfileText.h"

#include "framework/text/CodePages.h"
#include "framework/text/Unicode.h"

namespace platform::profile {

namespace {

// Decodes UTF-16 units; a last odd byte is no character.
Text FromUtf16(std::string_view bytes, bool bigEndian) {
    Text text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto first = static_cast<unsigned char>(bytes[i]);
        const auto second = static_cast<unsigned char>(bytes[i + 1]);
        text.push_back(
            static_cast<char16_t>(bigEndian ? first << 8 | second : second << 8 | first));
    }
    return text;
}

} // namespace

Text Decode(std::string_view bytes, unsigned codePage) {
    const auto startsWith = [&](std::string_view mark) {
        return bytes.substr(0, mark.size()) == mark;
    };
    if (startsWith("\xEF\xBB\xBF")) {
        return text::Utf8ToUtf16(bytes.substr(3));
    }
    if (startsWith("\xFF\xFE")) {
        return FromUtf16(bytes.substr(2), false);
    }
    if (startsWith("\xFE\xFF")) {
        return FromUtf16(bytes.substr(2), true);
    }
    return text::DecodeToUtf16(bytes, codePage);
}

namespace {

bool IsBlank(char16_t c) {
    return c == u' ' || (c >= u'\t' && c <= u'\r');
}

} // namespace

TextView Trim(TextView s) {
    while (!s.empty() && IsBlank(s.front())) {
        s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) {
        s.remove_suffix(1);
    }
    return s;
}

TextView Clean(TextView s) {
    s = Trim(s);
    return s.substr(0, s.find(u'\0'));
}

Text QueryName(const std::string& name) {
    const Text text = text::Utf8ToUtf16(name.c_str());
    return Text(Trim(text));
}

namespace {

char16_t FoldAscii(char16_t c) {
    return c >= u'a' && c <= u'z' ? c - (u'a' - u'A') : c;
}

} // namespace

Text Folded(TextView name) {
    Text folded(name);
    for (char16_t& c : folded) {
        c = FoldAscii(c);
    }
    return folded;
}

} // namespace platform::profile
