#pragma once
// Marks a running menu in the user's session with something that the system takes away when the
// process ends, however it ends: a crash or a kill leaves nothing behind, as a global atom would.

namespace platform {

class IInstanceLock {
public:
    virtual ~IInstanceLock() = default;

    // Holds the mark from now until the process ends (calling it again changes nothing). True
    // when no other process held it, false when one does: a running menu, or a start that is
    // bringing one up. When the mark cannot be made at all it returns true, so that the menu
    // still shows.
    virtual bool Hold() = 0;
};

} // namespace platform
