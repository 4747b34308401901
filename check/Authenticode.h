#pragma once
// The Authenticode signatures of a Windows program, read from its bytes: the digest each one
// uses, whether it carries a timestamp, and when its signer's certificate ends. Nothing is
// verified (the system does that on the user's machine); the checker only tells the disc's
// author what the program carries. The bytes may be anything: every length is checked.

#include <string>
#include <string_view>
#include <vector>

namespace check::authenticode {

enum class Digest { Sha1, Sha256, Other };

struct Signature {
    Digest digest = Digest::Other;
    bool timestamped = false; // an RFC 3161 timestamp or a countersignature
    // The end of the signer's certificate, "YYYYMMDDhhmmss" in UTC; empty when the signature
    // does not carry that certificate.
    std::string notAfter;
};

struct ProgramSignatures {
    bool isProgram = false; // a PE file with a PE32 or PE32+ optional header
    bool damaged = false;   // it has a signature that cannot be read
    // The signature Windows checks first, then those nested in it (a SHA-256 signature beside
    // a SHA-1 one).
    std::vector<Signature> signatures;
};

ProgramSignatures Read(std::string_view bytes);

} // namespace check::authenticode
