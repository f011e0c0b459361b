#include "platform/Process.h"

#include "platform/ProcessInternal.h"

namespace quillon {

StandardOutputBuffer::StandardOutputBuffer()
    : Utf8TextBuffer([this](std::string_view text) {
          if (failure_ == Failure::None) failure_ = WriteStandardOutput(text);
          return failure_ == Failure::None;
      }) {}

// The sink reads failure_: the rest is written while it still exists.
StandardOutputBuffer::~StandardOutputBuffer() { DrainAll(); }

bool OutputReaderGone(const std::ostream& out) {
    const auto* buffer = dynamic_cast<const StandardOutputBuffer*>(out.rdbuf());
    return buffer && buffer->GetFailure() == StandardOutputBuffer::Failure::ReaderGone;
}

}  // namespace quillon
