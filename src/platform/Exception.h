// The one exception type of the system, and the silent abort that a Cancel answer raises.
#pragma once

#include <stdexcept>
#include <string>

namespace quillon {

// Every failure carries its user-visible message (already formatted).
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    std::string Message() const { return what(); }
};

// Raised when the user cancels a question; command handlers swallow it without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }

}  // namespace quillon
