#pragma once
// Opening files through the shell: a program is started, a document opens in the program
// associated with its type.

#include "platform/Outcome.h"
#include "platform/UserInterface.h"

#include <optional>
#include <string>

namespace platform {

class IShell {
public:
    virtual ~IShell() = default;

    // Opens `file` with the verb "open", shown normally; `parameters` go to a program. A
    // failure carries the shell's result (32 or below) as its code, or errors::kFileNameTooLong
    // for a path beyond the classic limit that could not be opened.
    virtual Outcome Open(WindowRef owner, const std::string& file,
                         const std::optional<std::string>& parameters) = 0;

    // The program associated with `file`'s type. A failure carries the shell's result (32 or
    // below): the file does not exist or no program is associated with it.
    virtual Result<std::string> FindAssociatedProgram(const std::string& file) const = 0;
};

} // namespace platform
