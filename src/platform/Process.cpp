#include "platform/Process.h"

#include "platform/ProcessInternal.h"

namespace quillon {

StandardOutputBuffer::StandardOutputBuffer() { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

StandardOutputBuffer::~StandardOutputBuffer() { Drain(); }

bool StandardOutputBuffer::Drain() {
    const std::size_t size = static_cast<std::size_t>(pptr() - pbase());
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    if (failure_ != Failure::None) return false;
    if (size > 0) failure_ = WriteStandardOutput(std::string_view(buffer_.data(), size));
    return failure_ == Failure::None;
}

StandardOutputBuffer::int_type StandardOutputBuffer::overflow(int_type c) {
    if (!Drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int StandardOutputBuffer::sync() { return Drain() ? 0 : -1; }

bool OutputReaderGone(const std::ostream& out) {
    const auto* buffer = dynamic_cast<const StandardOutputBuffer*>(out.rdbuf());
    return buffer && buffer->GetFailure() == StandardOutputBuffer::Failure::ReaderGone;
}

}  // namespace quillon
