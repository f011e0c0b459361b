#include "platform/Console.h"

#include <algorithm>

namespace quillon {

std::string WindowsLineEnds(std::string_view text, bool& afterCr) {
    std::string out;
    out.reserve(text.size() + text.size() / 32);
    for (const char c : text) {
        if (c == '\n' && !afterCr) out += '\r';
        out += c;
        afterCr = c == '\r';
    }
    return out;
}

namespace {

// The length of `text` without an incomplete UTF-8 sequence at its end.
std::size_t WholeCharactersLength(std::string_view text) {
    std::size_t start = text.size();
    // Back over at most three continuation bytes to the lead byte of the last sequence.
    while (start > 0 && text.size() - start < 3 && (static_cast<unsigned char>(text[start - 1]) & 0xC0) == 0x80)
        --start;
    if (start == 0) return text.size();
    const auto lead = static_cast<unsigned char>(text[start - 1]);
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    return text.size() - (start - 1) < length ? start - 1 : text.size();
}

}  // namespace

Utf8TextBuffer::Utf8TextBuffer(Sink sink) : sink_(std::move(sink)) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

Utf8TextBuffer::~Utf8TextBuffer() { Drain(true); }

bool Utf8TextBuffer::Drain(bool whole) {
    const std::string_view text(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    const std::size_t length = whole ? text.size() : WholeCharactersLength(text);
    const bool written = length == 0 || sink_(text.substr(0, length));
    // The start of a split character moves to the front and waits for the rest.
    const std::string rest(text.substr(length));
    std::copy(rest.begin(), rest.end(), buffer_.begin());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    pbump(static_cast<int>(rest.size()));
    return written;
}

Utf8TextBuffer::int_type Utf8TextBuffer::overflow(int_type c) {
    if (!Drain(false)) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

// A flush hands over what is whole; a split character's end is still to come.
int Utf8TextBuffer::sync() { return Drain(false) ? 0 : -1; }

}  // namespace quillon
