// The one exception type of the system, and the silent abort that a Cancel answer raises.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

namespace quillon {

// Where in a file a reader found a failure, and what it found there without the place: a command
// line prints it as compilers do ("FILE(LINE): error: TEXT"). Line 0: no place.
struct FilePosition {
    std::string file;
    int line = 0;
    std::string text;
};

// Every failure carries its user-visible message (already formatted), and a reader's failure
// also its position in the file.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
    Exception(const std::string& message, FilePosition position)
        : std::runtime_error(message), position_(std::move(position)) {}
    // A failure reported in other words: the message is `message`, the position that of `cause`.
    Exception(const std::string& message, const std::exception& cause)
        : std::runtime_error(message), position_(PositionOf(cause)) {}
    std::string Message() const { return what(); }
    const FilePosition& Position() const { return position_; }

    static FilePosition PositionOf(const std::exception& e) {
        const auto* own = dynamic_cast<const Exception*>(&e);
        return own ? own->position_ : FilePosition{};
    }

private:
    FilePosition position_;
};

// Raised when the user cancels a question; command handlers swallow it without a message.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};

[[noreturn]] inline void Abort() { throw EAbort(); }

}  // namespace quillon
