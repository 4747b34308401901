#pragma once
// The places where the system calls the program (window procedures, COM callbacks) cannot let
// a C++ exception through: the system's frames between them and the program's caller do not
// unwind. Guarded() runs the program's handling there, and an exception that comes out of it is
// reported to the user in a message box and goes no further.

#include <exception>

// Reports an exception that reached one of those places (see CWinApp::ReportException).
void ReportException(const char* what) noexcept;

// `body()`, or `onException` after reporting an exception that it threw.
template <typename Body, typename Result> Result Guarded(Body&& body, Result onException) noexcept {
    try {
        return body();
    } catch (const std::exception& exception) {
        ReportException(exception.what());
    } catch (...) {
        ReportException("unknown exception");
    }
    return onException;
}
