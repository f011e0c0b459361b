// POSIX terminals and pipes take UTF-8 and LF as they are.
#include "platform/Console.h"

namespace quillon {

void AttachToCallingConsole() {}

struct ScopedStandardText::Streams {};

ScopedStandardText::ScopedStandardText() = default;
ScopedStandardText::~ScopedStandardText() = default;

}  // namespace quillon
