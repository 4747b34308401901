// The reading of a program's Authenticode signatures (check/Authenticode.h) over any bytes: it
// never reads past them, finds signatures only in a PE file, reports a damaged signature only
// there and then with no signature, and gives each certificate's end as 14 digits or nothing.

#include "FuzzSupport.h"
#include "check/Authenticode.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly the input's length, so that the sanitizer sees any read past it.
    const std::string bytes = fuzz::Bytes(data, size);
    const auto program = check::authenticode::Read(bytes);
    fuzz::Check(program.isProgram || (program.signatures.empty() && !program.damaged),
                "signatures only in a PE file");
    fuzz::Check(!program.damaged || program.signatures.empty(),
                "a damaged signature gives no signatures");
    for (const auto& signature : program.signatures) {
        fuzz::Check(signature.notAfter.empty() ||
                        (signature.notAfter.size() == 14 &&
                         signature.notAfter.find_first_not_of("0123456789") == std::string::npos),
                    "a certificate's end is 14 digits or nothing");
    }
    return 0;
}
