#pragma once
#include "platform/UserInterface.h"

namespace platform {

// Message boxes through MessageBoxA; the wait cursor of the application object.
class Win32UserInterface final : public IUserInterface {
public:
    int ShowMessage(WindowRef owner, const std::string& text,
                    const std::optional<std::string>& caption, unsigned style) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool BringForward(const std::string& windowMark) override;
};

} // namespace platform
