#pragma once
#include "platform/UserInterface.h"

#include <windows.h>

#include <string>

namespace platform {

// Message boxes through MessageBoxW, captioned with the application's name when they have no
// caption of their own; the wait cursor, shown while any wait begun is not yet ended.
class Win32UserInterface final : public IUserInterface {
public:
    // Named after the program file, as an application is by default.
    Win32UserInterface();
    explicit Win32UserInterface(std::string appName);

    int ShowMessage(WindowRef owner, const std::string& text,
                    const std::optional<std::string>& caption, unsigned style) override;
    void BeginWaitCursor() override;
    void EndWaitCursor() override;
    bool BringForward(const std::string& windowMark) override;

private:
    std::string m_appName;
    int m_waitCount = 0;
    HCURSOR m_beforeWait = nullptr;
};

} // namespace platform
