#pragma once
// Modal message boxes and the wait cursor. Message boxes block: tests answer them through
// this interface.

#include <optional>
#include <string>

namespace platform {

using WindowRef = void*; // an opaque owner window; nullptr for none

// Message box styles and answers, with the values of the Win32 API.
namespace mb {
constexpr unsigned kOk = 0x0;
constexpr unsigned kRetryCancel = 0x5;
constexpr unsigned kIconHand = 0x10;
constexpr unsigned kIconExclamation = 0x30;
constexpr unsigned kSetForeground = 0x10000;
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;
constexpr int kIdRetry = 4;
} // namespace mb

class IUserInterface {
public:
    virtual ~IUserInterface() = default;

    // Shows a modal message box and returns the button chosen. Without a caption the box
    // carries the application's name.
    virtual int ShowMessage(WindowRef owner, const std::string& text,
                            const std::optional<std::string>& caption, unsigned style) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // Brings the top-level window marked `windowMark` (a window property that another process
    // of the program set) to the front, with whatever it shows over it, restored if it was
    // minimised. Only a window of another process that runs this very program (its program
    // file holds the same bytes as this one's) counts: any program can set the property. One
    // that is still coming up is waited for, for a few seconds; false when none answers.
    virtual bool BringForward(const std::string& windowMark) = 0;
};

} // namespace platform
