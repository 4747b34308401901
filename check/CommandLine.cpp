#include "check/CommandLine.h"

#include <ctime>

namespace check {

namespace {

std::string Count(int count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

// `value` as a JSON string; the texts are UTF-8 already.
std::string Json(const std::string& value) {
    std::string quoted = "\"";
    for (const char c : value) {
        switch (c) {
        case '"':
            quoted += "\\\"";
            break;
        case '\\':
            quoted += "\\\\";
            break;
        case '\n':
            quoted += "\\n";
            break;
        case '\r':
            quoted += "\\r";
            break;
        case '\t':
            quoted += "\\t";
            break;
        default:
            if (const auto byte = static_cast<unsigned char>(c); byte < 0x20) {
                const char* const hex = "0123456789abcdef";
                quoted += "\\u00";
                quoted += hex[byte >> 4];
                quoted += hex[byte & 0xF];
            } else {
                quoted += c;
            }
        }
    }
    return quoted + "\"";
}

std::string JsonEntry(const CMenuItem& entry) {
    return "{\"text\": " + Json(entry.m_strText) + ", \"type\": " + std::to_string(entry.m_nType) +
           ", \"execute\": " + Json(entry.m_strExecute) + ", \"title\": " + Json(entry.m_strTitle) +
           ", \"diskId\": " + Json(entry.m_strDiskId) + "}";
}

std::string JsonPage(const Page& page) {
    std::string json = "        {\"name\": " + Json(page.name) + ", \"entries\": [";
    for (std::size_t i = 0; i < page.entries.size(); ++i) {
        json += (i > 0 ? ",\n" : "\n") + std::string(12, ' ') + JsonEntry(page.entries[i]);
    }
    return json + (page.entries.empty() ? "]}" : "\n        ]}");
}

std::string JsonLanguage(const Language& language) {
    std::string json = "    {\"code\": " + Json(language.code) +
                       ", \"file\": " + Json(language.file) +
                       ", \"codePage\": " + std::to_string(language.codePage) +
                       ", \"read\": " + (language.read ? "true" : "false") + ", \"texts\": {";
    for (std::size_t i = 0; i < language.texts.size(); ++i) {
        json += (i > 0 ? ", " : "") + Json(language.texts[i].first) + ": " +
                Json(language.texts[i].second);
    }
    json += "}, \"pages\": [";
    for (std::size_t i = 0; i < language.pages.size(); ++i) {
        json += (i > 0 ? ",\n" : "\n") + JsonPage(language.pages[i]);
    }
    return json + (language.pages.empty() ? "]}" : "\n    ]}");
}

std::string JsonPlace(const Place& place) {
    return "{\"file\": " + Json(place.file) + ", \"section\": " + Json(place.section) +
           ", \"key\": " + Json(place.key) + "}";
}

// A finding's place is its first one, and "places" lists every one, the first included.
std::string JsonFinding(const Finding& finding) {
    std::string places = JsonPlace({finding.file, finding.section, finding.key});
    for (const Place& place : finding.otherPlaces) {
        places += ", " + JsonPlace(place);
    }
    return "    {\"severity\": " + Json(NameOf(finding.severity)) +
           ", \"kind\": " + Json(NameOf(finding.kind)) + ", \"file\": " + Json(finding.file) +
           ", \"section\": " + Json(finding.section) + ", \"key\": " + Json(finding.key) +
           ", \"message\": " + Json(finding.message) + ", \"places\": [" + places + "]}";
}

// A place as the text report names it: the file, section and key; nothing for the whole disc.
std::string Where(const Place& place) {
    std::string where = place.file;
    if (!place.section.empty()) {
        where += " [" + place.section + "]";
    }
    if (!place.key.empty()) {
        where += " " + place.key;
    }
    return where;
}

} // namespace

std::optional<Options> ParseArguments(const std::vector<std::string>& arguments) {
    Options options;
    bool haveDisc = false;
    for (const std::string& argument : arguments) {
        if (argument == "--json") {
            options.json = true;
        } else if (argument == "--release") {
            options.release = true;
        } else if (argument == "--brand") {
            options.brand = true;
        } else if (!argument.empty() && argument[0] != '-' && !haveDisc) {
            options.discDir = argument;
            haveDisc = true;
        } else {
            return std::nullopt;
        }
    }
    return haveDisc ? std::optional<Options>(options) : std::nullopt;
}

std::string Usage() {
    return "usage: discmenu-check [--json] [--release] DISC_DIR\n"
           "       discmenu-check [--json] --brand BRAND_DIR\n"
           "Checks the menu of the disc whose root is DISC_DIR (the folder of Install.exe and\n"
           "the language files) as the menu reads it, and lists what would go wrong.\n"
           "--json     the report as JSON, with the pages of each language\n"
           "--release  the disc is to be shipped: an unsigned Install.exe is a warning\n"
           "--brand    checks BRAND_DIR, the brand folder the program is built from (make disc\n"
           "           BRAND=dir): the pictures' sizes and bit depths, the icon, brand.ini\n"
           "Exit status: 0 clean (notes aside), 1 warnings only, 2 errors, 3 the check could\n"
           "not run.\n";
}

ShippingOptions Shipping(const Options& options) {
    const std::time_t now = std::time(nullptr);
    char text[16] = {};
    if (const std::tm* utc = std::gmtime(&now)) {
        std::strftime(text, sizeof text, "%Y%m%d%H%M%S", utc);
    }
    return {options.release, text};
}

std::string FormatText(const Report& report) {
    std::string out;
    for (const Finding& finding : report.findings) {
        const std::string where = Where({finding.file, finding.section, finding.key});
        out += std::string(NameOf(finding.severity)) + ": " + (where.empty() ? "" : where + ": ") +
               finding.message + " (" + NameOf(finding.kind) + ")\n";
        for (const Place& place : finding.otherPlaces) {
            out += "  also: " + Where(place) + "\n";
        }
    }
    const std::string counts =
        Count(report.errors, "error", "errors") + ", " +
        Count(report.warnings, "warning", "warnings") +
        (report.notes > 0 ? ", " + Count(report.notes, "note", "notes") : std::string()) + ".\n";
    if (report.brand) {
        return out + "Checked the brand folder: " + counts;
    }
    int read = 0;
    int pages = 0;
    for (const Language& language : report.languages) {
        read += language.read ? 1 : 0;
        pages += static_cast<int>(language.pages.size());
    }
    const int all = static_cast<int>(report.languages.size());
    out += "Checked " + (read == all ? std::string() : std::to_string(read) + " of ") +
           Count(all, "language file", "language files") + " and " + Count(pages, "page", "pages") +
           ": " + counts;
    return out;
}

std::string FormatJson(const Report& report) {
    std::string json = "{\n  \"languages\": [";
    for (std::size_t i = 0; i < report.languages.size(); ++i) {
        json += (i > 0 ? ",\n" : "\n") + JsonLanguage(report.languages[i]);
    }
    json += "\n  ],\n  \"findings\": [";
    for (std::size_t i = 0; i < report.findings.size(); ++i) {
        json += (i > 0 ? ",\n" : "\n") + JsonFinding(report.findings[i]);
    }
    json += report.findings.empty() ? "]" : "\n  ]";
    json += ",\n  \"errors\": " + std::to_string(report.errors) +
            ",\n  \"warnings\": " + std::to_string(report.warnings) +
            ",\n  \"notes\": " + std::to_string(report.notes) +
            ",\n  \"exitStatus\": " + std::to_string(ExitStatus(report)) + "\n}\n";
    return json;
}

} // namespace check
