#include "check/ShippableDisc.h"

#include "check/Authenticode.h"
#include "check/ProgramResources.h"
#include "framework/text/Unicode.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace check {

namespace {

const char kProgram[] = "Install.exe";

// What a disc image carries: Joliet names of up to 64 UTF-16 characters and paths of up to
// 240, and ISO 9660's eight levels of folders (the root is the first).
constexpr std::size_t kJolietNameLength = 64;
constexpr std::size_t kJolietPathLength = 240;
constexpr std::size_t kFolderLevels = 8;

// What the media hold, in bytes: an 80-minute CD (360,000 sectors of 2,048 bytes, sold as
// 700 MB), a single-layer DVD (4.7 GB) and a dual-layer one (8.5 GB); and the largest file of
// FAT32, the file system of most USB sticks.
constexpr std::uint64_t kCd = 360000ULL * 2048;
constexpr std::uint64_t kDvd5 = 2298496ULL * 2048;
constexpr std::uint64_t kDvd9 = 4171712ULL * 2048;
constexpr std::uint64_t kFat32File = 0xFFFFFFFFULL;

Finding Make(Kind kind, const std::string& file, const std::string& message) {
    return {SeverityOf(kind), kind, file, "", "", message, {}};
}

std::string PathOf(const DiscEntry& entry) {
    std::string path;
    for (const std::string& part : entry.parts) {
        path += (path.empty() ? "" : "\\") + part;
    }
    return path;
}

std::string Megabytes(std::uint64_t bytes) {
    constexpr std::uint64_t kMegabyte = 1024ULL * 1024;
    return std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB";
}

const char* NameOf(authenticode::Digest digest) {
    switch (digest) {
    case authenticode::Digest::Sha1:
        return "SHA-1";
    case authenticode::Digest::Sha256:
        return "SHA-256";
    case authenticode::Digest::Other:
        break;
    }
    return "another digest";
}

// "YYYYMMDDhhmmss" as "YYYY-MM-DD".
std::string Day(const std::string& time) {
    return time.substr(0, 4) + "-" + time.substr(4, 2) + "-" + time.substr(6, 2);
}

void CheckSignature(const IDiscFiles& files, const ShippingOptions& options,
                    std::vector<Finding>& findings) {
    const auto bytes = files.Read(kProgram);
    if (!bytes) {
        return; // the autorun check reports a missing program
    }
    const authenticode::ProgramSignatures program = authenticode::Read(*bytes);
    if (program.signatures.empty()) {
        Finding finding = Make(
            Kind::Unsigned, kProgram,
            program.damaged
                ? "its signature cannot be read: Windows takes the program as unsigned"
                : "the program is not signed: Windows names no publisher for it, and SmartScreen "
                  "warns when it is started from a downloaded disc image (make sign signs it)");
        finding.severity = options.release ? Severity::Warning : Severity::Note;
        findings.push_back(finding);
        return;
    }
    bool sha1 = false;
    for (const authenticode::Signature& signature : program.signatures) {
        sha1 = sha1 || signature.digest == authenticode::Digest::Sha1;
    }
    if (!sha1) {
        findings.push_back(
            Make(Kind::NoSha1Signature, kProgram,
                 std::string("signed with ") + NameOf(program.signatures.front().digest) +
                     " only: Windows XP cannot check the signature; sign with SHA-1 and a nested "
                     "SHA-256 signature (make sign does)"));
    }
    for (const authenticode::Signature& signature : program.signatures) {
        if (!options.now.empty() && !signature.notAfter.empty() && !signature.timestamped &&
            signature.notAfter < options.now) {
            findings.push_back(
                Make(Kind::CertificateExpired, kProgram,
                     std::string("the certificate of its ") + NameOf(signature.digest) +
                         " signature ended on " + Day(signature.notAfter) +
                         " and the signature has no timestamp: Windows no longer trusts it; "
                         "sign it again with a timestamp"));
            return;
        }
    }
}

// The pictures the page draws, each of which wants its 2x form beside it.
constexpr unsigned kPageBitmaps[] = {IDB_BACKGROUND, IDB_ENTRY_NORMAL, IDB_HELP_STRIP,
                                     IDB_BACKGROUND_LUMO, IDB_ENTRY_HOT};

void CheckDoublePictures(const IDiscFiles& files, std::vector<Finding>& findings) {
    const auto bytes = files.Read(kProgram);
    const auto ids = bytes ? resources::BitmapIds(*bytes) : std::nullopt;
    if (!ids) {
        return; // no program whose pictures can be read
    }
    const auto has = [&](unsigned id) {
        return std::find(ids->begin(), ids->end(), id) != ids->end();
    };
    int missing = 0;
    for (const unsigned id : kPageBitmaps) {
        if (has(id) && !has(id + IDB_DOUBLE_SIZE_OFFSET)) {
            ++missing;
        }
    }
    if (missing > 0) {
        findings.push_back(
            Make(Kind::NoDoublePictures, kProgram,
                 std::to_string(missing) +
                     " of the page's pictures come without their 2x form: on screens of more than "
                     "96 DPI they are enlarged and look soft; put a picture twice the size, named "
                     "with @2x before the extension (Background@2x.bmp), beside each one"));
    }
}

// The first character of `name` that Joliet cannot carry: a control character, one of
// * / : ; ? \ (';' separates a version number), or one outside UCS-2; empty when none.
std::string ForbiddenCharacter(const std::u16string& name) {
    for (const char16_t c : name) {
        if (c < 0x20) {
            return "a control character";
        }
        if (std::u16string_view(u"*/:;?\\").find(c) != std::u16string_view::npos) {
            return "'" + text::Utf16ToUtf8(std::u16string(1, c)) + "'";
        }
        if (c >= 0xD800 && c <= 0xDFFF) {
            return "a character outside UCS-2";
        }
    }
    return "";
}

void CheckNames(const std::vector<DiscEntry>& entries, std::vector<Finding>& findings) {
    for (const DiscEntry& entry : entries) {
        const std::string path = PathOf(entry);
        const std::u16string name = text::Utf8ToUtf16(entry.parts.back());
        if (const std::string character = ForbiddenCharacter(name); !character.empty()) {
            findings.push_back(Make(Kind::NameCharacters, path,
                                    "the name holds " + character +
                                        ", which a disc image's Joliet names cannot carry: the "
                                        "image changes the name"));
        } else if (name.size() > kJolietNameLength) {
            findings.push_back(Make(Kind::NameTooLong, path,
                                    "the name is " + std::to_string(name.size()) +
                                        " characters long; a disc image's Joliet names carry " +
                                        std::to_string(kJolietNameLength) +
                                        ": Windows sees it cut short"));
        }
        // Each branch once: at the first folder too deep, or the first path too long.
        const std::size_t length = text::Utf8ToUtf16(path).size();
        const std::size_t parentLength = entry.parts.size() > 1 ? length - name.size() - 1 : 0;
        if (entry.folder && entry.parts.size() == kFolderLevels) {
            findings.push_back(Make(Kind::PathTooDeep, path,
                                    "the folder is " + std::to_string(kFolderLevels + 1) +
                                        " levels deep, counting the root; ISO 9660 allows " +
                                        std::to_string(kFolderLevels)));
        } else if (entry.parts.size() < kFolderLevels && length > kJolietPathLength &&
                   parentLength <= kJolietPathLength) {
            findings.push_back(Make(Kind::PathTooDeep, path,
                                    "the path is " + std::to_string(length) +
                                        " characters long; a disc image's Joliet paths carry " +
                                        std::to_string(kJolietPathLength)));
        }
    }
}

void CheckSize(const std::vector<DiscEntry>& entries, std::vector<Finding>& findings) {
    std::uint64_t total = 0;
    for (const DiscEntry& entry : entries) {
        total += entry.size;
        if (entry.size > kFat32File) {
            findings.push_back(Make(Kind::FileOver4Gb, PathOf(entry),
                                    "the file is " + Megabytes(entry.size) +
                                        ": a USB stick formatted FAT32 holds files of less "
                                        "than 4 GB; format the stick exFAT or NTFS"));
        }
    }
    const std::string size = "the files take " + Megabytes(total) + ": ";
    if (total > kDvd9) {
        findings.push_back(Make(Kind::DiscSize, "",
                                size + "more than a DVD-9 (8.5 GB) holds; ship them on a "
                                       "Blu-ray disc or a USB stick"));
    } else if (total > kDvd5) {
        findings.push_back(Make(Kind::DiscSize, "",
                                size + "more than a DVD-5 (4.7 GB) holds; a DVD-9 (8.5 GB) "
                                       "holds them"));
    } else if (total > kCd) {
        findings.push_back(Make(Kind::DiscSize, "",
                                size + "more than a CD (700 MB) holds; a DVD-5 (4.7 GB) holds "
                                       "them"));
    }
}

} // namespace

std::vector<Finding> CheckShipping(const IDiscFiles& files, const ShippingOptions& options) {
    std::vector<Finding> findings;
    CheckSignature(files, options, findings);
    CheckDoublePictures(files, findings);
    const std::vector<DiscEntry> entries = files.Tree();
    CheckNames(entries, findings);
    CheckSize(entries, findings);
    return findings;
}

} // namespace check
