#include "check/Authenticode.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <utility>

namespace check::authenticode {

namespace {

// DER tags of the structures read here.
constexpr unsigned char kInteger = 0x02;
constexpr unsigned char kOctetString = 0x04;
constexpr unsigned char kOid = 0x06;
constexpr unsigned char kUtcTime = 0x17;
constexpr unsigned char kGeneralizedTime = 0x18;
constexpr unsigned char kSequence = 0x30;
constexpr unsigned char kSet = 0x31;
constexpr unsigned char kContext0 = 0xA0;
constexpr unsigned char kContext1 = 0xA1;

// A nested signature may nest another; a real program has one level.
constexpr int kDeepestNesting = 4;

// The contents of an object identifier's DER encoding: the first two arcs in one number, then
// each arc in base 128, high bit set on all but its last byte.
std::string OidBytes(std::initializer_list<std::uint32_t> arcs) {
    const std::uint32_t* arc = arcs.begin();
    std::string bytes(1, static_cast<char>(arc[0] * 40 + arc[1]));
    for (arc += 2; arc != arcs.end(); ++arc) {
        std::string base128(1, static_cast<char>(*arc & 0x7F));
        for (std::uint32_t rest = *arc >> 7; rest != 0; rest >>= 7) {
            base128.insert(base128.begin(), static_cast<char>(0x80 | (rest & 0x7F)));
        }
        bytes += base128;
    }
    return bytes;
}

const std::string kSignedData = OidBytes({1, 2, 840, 113549, 1, 7, 2});
const std::string kSha1 = OidBytes({1, 3, 14, 3, 2, 26});
const std::string kSha256 = OidBytes({2, 16, 840, 1, 101, 3, 4, 2, 1});
const std::string kNestedSignature = OidBytes({1, 3, 6, 1, 4, 1, 311, 2, 4, 1});
const std::string kRfc3161Timestamp = OidBytes({1, 3, 6, 1, 4, 1, 311, 3, 3, 1});
const std::string kCountersignature = OidBytes({1, 2, 840, 113549, 1, 9, 6});

// One DER element: its tag and its contents.
struct Element {
    unsigned char tag = 0;
    std::string_view contents;
};

// Takes the element at the front of `in` off it; nothing, and `in` unchanged, when the bytes
// there are no element this reader takes (a tag of several bytes, an indefinite length or one
// of more than four bytes, contents past the end).
std::optional<Element> Take(std::string_view& in) {
    if (in.size() < 2 || (static_cast<unsigned char>(in[0]) & 0x1F) == 0x1F) {
        return std::nullopt;
    }
    std::size_t length = static_cast<unsigned char>(in[1]);
    std::size_t header = 2;
    if (length & 0x80) {
        const std::size_t count = length & 0x7F;
        if (count == 0 || count > 4 || in.size() < header + count) {
            return std::nullopt;
        }
        length = 0;
        for (std::size_t i = 0; i < count; ++i) {
            length = (length << 8) | static_cast<unsigned char>(in[header + i]);
        }
        header += count;
    }
    if (length > in.size() - header) {
        return std::nullopt;
    }
    const Element element{static_cast<unsigned char>(in[0]), in.substr(header, length)};
    in.remove_prefix(header + length);
    return element;
}

// Takes the element at the front of `in` when it has the tag `tag`.
std::optional<Element> Take(std::string_view& in, unsigned char tag) {
    std::string_view rest = in;
    const auto element = Take(rest);
    if (!element || element->tag != tag) {
        return std::nullopt;
    }
    in = rest;
    return element;
}

bool AllDigits(std::string_view text) {
    return text.find_first_not_of("0123456789") == std::string_view::npos;
}

// A certificate's time as "YYYYMMDDhhmmss": UTCTime "YYMMDDhhmmssZ" (years 50 to 99 are of the
// 1900s) or GeneralizedTime "YYYYMMDDhhmmssZ"; empty for anything else.
std::string TimeText(const Element& time) {
    const std::string_view text = time.contents;
    const std::size_t digits = time.tag == kUtcTime ? 12 : time.tag == kGeneralizedTime ? 14 : 0;
    if (digits == 0 || text.size() != digits + 1 || text.back() != 'Z' ||
        !AllDigits(text.substr(0, digits))) {
        return "";
    }
    if (time.tag == kGeneralizedTime) {
        return std::string(text.substr(0, digits));
    }
    return (text[0] >= '5' ? "19" : "20") + std::string(text.substr(0, digits));
}

// The end of the certificate among `certificates` that the issuer's name and the serial number
// name; empty when there is none.
std::string NotAfter(std::string_view certificates, std::string_view issuer,
                     std::string_view serial) {
    while (const auto certificate = Take(certificates)) {
        std::string_view fields = certificate->contents;
        const auto signedPart = Take(fields, kSequence);
        if (certificate->tag != kSequence || !signedPart) {
            continue; // another kind of certificate
        }
        std::string_view tbs = signedPart->contents;
        Take(tbs, kContext0); // the version, when not 1
        const auto number = Take(tbs, kInteger);
        const auto algorithm = Take(tbs, kSequence);
        const auto name = Take(tbs, kSequence);
        const auto validity = Take(tbs, kSequence);
        if (!number || !algorithm || !name || !validity || number->contents != serial ||
            name->contents != issuer) {
            continue;
        }
        std::string_view times = validity->contents;
        const auto notBefore = Take(times);
        const auto notAfter = Take(times);
        return notBefore && notAfter ? TimeText(*notAfter) : "";
    }
    return "";
}

bool ReadContentInfo(std::string_view info, int depth, std::vector<Signature>& signatures);

// The unsigned attributes of a signer: its timestamp and the signatures nested in it.
bool ReadAttributes(std::string_view attributes, int depth, Signature& signature,
                    std::vector<Signature>& nested) {
    while (!attributes.empty()) {
        const auto attribute = Take(attributes, kSequence);
        if (!attribute) {
            return false;
        }
        std::string_view fields = attribute->contents;
        const auto type = Take(fields, kOid);
        const auto values = Take(fields, kSet);
        if (!type || !values) {
            return false;
        }
        if (type->contents == kRfc3161Timestamp || type->contents == kCountersignature) {
            signature.timestamped = true;
        } else if (type->contents == kNestedSignature && depth < kDeepestNesting) {
            std::string_view list = values->contents;
            while (!list.empty()) {
                const auto info = Take(list, kSequence);
                if (!info || !ReadContentInfo(info->contents, depth + 1, nested)) {
                    return false;
                }
            }
        }
    }
    return true;
}

// A SignerInfo: version, issuer and serial number of its certificate, digest algorithm,
// signed attributes, signature algorithm, signature, unsigned attributes.
bool ReadSigner(std::string_view signer, std::string_view certificates, int depth,
                std::vector<Signature>& signatures) {
    const auto version = Take(signer, kInteger);
    const auto certificateId = Take(signer, kSequence);
    const auto digestAlgorithm = Take(signer, kSequence);
    if (!version || !certificateId || !digestAlgorithm) {
        return false;
    }
    std::string_view id = certificateId->contents;
    const auto issuer = Take(id, kSequence);
    const auto serial = Take(id, kInteger);
    std::string_view algorithm = digestAlgorithm->contents;
    const auto digest = Take(algorithm, kOid);
    if (!issuer || !serial || !digest) {
        return false;
    }
    Signature signature;
    signature.digest = digest->contents == kSha1     ? Digest::Sha1
                       : digest->contents == kSha256 ? Digest::Sha256
                                                     : Digest::Other;
    signature.notAfter = NotAfter(certificates, issuer->contents, serial->contents);
    Take(signer, kContext0); // the signed attributes
    if (!Take(signer, kSequence) || !Take(signer, kOctetString)) {
        return false;
    }
    std::vector<Signature> nested;
    if (const auto attributes = Take(signer, kContext1);
        attributes && !ReadAttributes(attributes->contents, depth, signature, nested)) {
        return false;
    }
    signatures.push_back(signature);
    signatures.insert(signatures.end(), nested.begin(), nested.end());
    return true;
}

// A ContentInfo holding SignedData: version, digest algorithms, the signed content,
// certificates, revocation lists, and the signers (Authenticode has one).
bool ReadContentInfo(std::string_view info, int depth, std::vector<Signature>& signatures) {
    const auto type = Take(info, kOid);
    const auto wrapped = Take(info, kContext0);
    if (!type || type->contents != kSignedData || !wrapped) {
        return false;
    }
    std::string_view content = wrapped->contents;
    const auto signedData = Take(content, kSequence);
    if (!signedData) {
        return false;
    }
    std::string_view fields = signedData->contents;
    if (!Take(fields, kInteger) || !Take(fields, kSet) || !Take(fields, kSequence)) {
        return false;
    }
    const auto certificates = Take(fields, kContext0);
    Take(fields, kContext1); // revocation lists
    const auto signers = Take(fields, kSet);
    if (!signers) {
        return false;
    }
    std::string_view list = signers->contents;
    const auto signer = Take(list, kSequence);
    return signer &&
           ReadSigner(signer->contents, certificates ? certificates->contents : std::string_view(),
                      depth, signatures);
}

std::uint32_t Little(std::string_view bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
    }
    return value;
}

// Where the certificate table of a PE file lies (the security directory, the fifth data
// directory, gives a file offset and a size); nothing when `bytes` is no PE file. A table of
// size 0 is an unsigned program.
std::optional<std::pair<std::uint64_t, std::uint64_t>> CertificateTable(std::string_view bytes) {
    if (bytes.size() < 0x40 || bytes.substr(0, 2) != "MZ") {
        return std::nullopt;
    }
    const std::uint64_t header = Little(bytes, 0x3C, 4);
    if (header + 24 > bytes.size() || bytes.substr(header, 4) != std::string_view("PE\0\0", 4)) {
        return std::nullopt;
    }
    const std::uint64_t optional = header + 24;
    const std::uint64_t optionalSize = Little(bytes, header + 20, 2);
    if (optionalSize < 2 || optional + optionalSize > bytes.size()) {
        return std::nullopt;
    }
    // The number of data directories sits before them, after the fields of PE32 or PE32+.
    const std::uint32_t magic = Little(bytes, optional, 2);
    const std::uint64_t count = magic == 0x10B ? 92 : magic == 0x20B ? 108 : 0;
    if (count == 0) {
        return std::nullopt;
    }
    constexpr std::uint64_t kDirectorySize = 8; // an offset and a size
    constexpr std::uint64_t kSecurityIndex = 4;
    const std::uint64_t security = count + 4 + kSecurityIndex * kDirectorySize;
    if (optionalSize < security + kDirectorySize || Little(bytes, optional + count, 4) < 5) {
        return std::make_pair(0, 0);
    }
    return std::make_pair(Little(bytes, optional + security, 4),
                          Little(bytes, optional + security + 4, 4));
}

// The signature in the first entry of the certificate table: after the entry's length (with
// this 8-byte header), revision and type, a PKCS #7 SignedData (type 2), the one Windows checks;
// nothing when the entry is no such thing.
std::optional<std::string_view> FirstSignature(std::string_view bytes, std::uint64_t offset,
                                               std::uint64_t size) {
    constexpr std::uint32_t kHeader = 8;
    if (size < kHeader || offset + size > bytes.size()) {
        return std::nullopt;
    }
    const std::uint32_t length = Little(bytes, offset, 4);
    if (length < kHeader || length > size || Little(bytes, offset + 6, 2) != 2) {
        return std::nullopt;
    }
    return bytes.substr(offset + kHeader, length - kHeader);
}

} // namespace

ProgramSignatures Read(std::string_view bytes) {
    ProgramSignatures program;
    const auto table = CertificateTable(bytes);
    if (!table) {
        return program;
    }
    program.isProgram = true;
    const auto [offset, size] = *table;
    if (size == 0) {
        return program;
    }
    auto signature = FirstSignature(bytes, offset, size);
    const auto info = signature ? Take(*signature, kSequence) : std::nullopt;
    if (!info || !ReadContentInfo(info->contents, 0, program.signatures)) {
        program.signatures.clear();
        program.damaged = true;
    }
    return program;
}

} // namespace check::authenticode
