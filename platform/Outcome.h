#pragma once
// How the platform reports a failure, one shape for every operation that can fail: an Outcome
// where nothing else is returned, a Result where a value is, each with the system's reason as a
// SystemError. (Questions whose answer is no are no failures: whether a file exists or a key
// opens is a bool.)

#include <optional>
#include <utility>

namespace platform {

// The system's reason for a failure: its error code, 0 when it gave none.
struct SystemError {
    unsigned long code = 0;
};

// Error codes the program tells apart, with the values of the Win32 API.
namespace errors {
constexpr unsigned long kFileNotFound = 2;
constexpr unsigned long kPathNotFound = 3;
constexpr unsigned long kAccessDenied = 5;
constexpr unsigned long kInvalidData = 13;
constexpr unsigned long kInsufficientBuffer = 122;
constexpr unsigned long kFileNameTooLong = 206;
constexpr unsigned long kElevationRequired = 740;
constexpr unsigned long kCancelled = 1223;
} // namespace errors

// The outcome of an operation that returns nothing else: success, or failure with the
// system's reason.
struct Outcome {
    bool ok = true;
    SystemError error;

    explicit operator bool() const { return ok; }
    static Outcome Success() { return {}; }
    static Outcome Failure(unsigned long code) { return {false, {code}}; }
};

// The outcome of an operation that returns a value: the value, or failure with the system's
// reason.
template <typename T> struct Result {
    std::optional<T> value;
    SystemError error;

    explicit operator bool() const { return value.has_value(); }
    bool has_value() const { return value.has_value(); }
    const T& operator*() const { return *value; }
    const T* operator->() const { return &*value; }
    static Result Success(T result) { return {std::move(result), {}}; }
    static Result Failure(unsigned long code) { return {std::nullopt, {code}}; }
};

} // namespace platform
