// Inside the platform layer on Windows: text across the wide-character API boundary (UTF-8 in
// Quillon, UTF-16 in the system) and the system's own wording of an error code.
#pragma once

#include <string>
#include <string_view>

#include "platform/Console.h"

namespace quillon::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's message for a GetLastError code, without its closing period and line break.
std::string ErrorText(unsigned long code);
// What writes the standard stream `fd` (1 or 2) as text: a console window in UTF-16, anything
// else in binary with CR LF line ends. After a failed write GetLastError says why.
Utf8TextBuffer::Sink StandardStreamSink(int fd);

}  // namespace quillon::win32
