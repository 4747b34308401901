#pragma once
// What the brand tool changes in a program file outside its resources: the signature, which
// any change of the file invalidates, and the header's checksum, which it brings up to date.

#include <optional>
#include <string>

namespace brand {

enum class Signature {
    None,    // the file carries no certificate table
    Removed, // its certificate table was removed
};

// Removes the certificate table (the signature) from the PE file `file`: its bytes at the end
// of the file and its entry in the header. Nothing when `file` is no PE file, or its table
// does not lie at its end (where a signer puts it), which would leave a file no signer or
// loader could trust.
std::optional<Signature> RemoveSignature(std::string& file);

// Writes the checksum of the PE file `file` into its header (the system's rule: the 16-bit
// sum of the file's words with carries, the checksum itself taken as zero, plus the file's
// length); false when it is no PE file.
bool UpdateChecksum(std::string& file);

} // namespace brand
