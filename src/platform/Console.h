// The program's standard output and error as text: UTF-8 inside; on Windows a console window is
// written in UTF-16, so that names beyond ASCII show as typed, and redirected output is written
// in binary, UTF-8 with CR LF line ends, so that a CR LF in the text is not doubled.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <streambuf>
#include <string>
#include <string_view>

namespace quillon {

// `text` with every LF that no CR precedes made CR LF, as a text-mode stream writes it, but a CR
// LF already there kept as it is. `afterCr` carries whether the piece before ended in CR.
std::string WindowsLineEnds(std::string_view text, bool& afterCr);

// A stream buffer that hands what is written to `sink` in whole UTF-8 characters when it is full
// or flushed: a character split between two writes waits for its end. A sink that fails makes the
// stream fail.
class Utf8TextBuffer : public std::streambuf {
public:
    using Sink = std::function<bool(std::string_view text)>;
    explicit Utf8TextBuffer(Sink sink);
    ~Utf8TextBuffer() override;
    Utf8TextBuffer(const Utf8TextBuffer&) = delete;
    Utf8TextBuffer& operator=(const Utf8TextBuffer&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;
    // Hands over everything, a split character's start too: the stream ends. A derived buffer
    // whose sink uses its members calls it in its own destructor.
    bool DrainAll() { return Drain(true); }

private:
    bool Drain(bool whole);

    Sink sink_;
    std::array<char, 4096> buffer_{};
};

// A windowed program (the workbench on Windows) starts without standard output: when it has none,
// this gives it the console of the program that started it, if any, so that what it prints (its
// --help) shows there. Elsewhere it does nothing.
void AttachToCallingConsole();

// For its lifetime, std::cout and std::cerr write as this system's standard text: on Windows as
// said above, on POSIX unchanged.
class ScopedStandardText {
public:
    ScopedStandardText();
    ~ScopedStandardText();
    ScopedStandardText(const ScopedStandardText&) = delete;
    ScopedStandardText& operator=(const ScopedStandardText&) = delete;

private:
    struct Streams;
    std::unique_ptr<Streams> streams_;
};

}  // namespace quillon
