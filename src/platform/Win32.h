// Inside the platform layer on Windows: text across the wide-character API boundary (UTF-8 in
// Quillon, UTF-16 in the system) and the system's own wording of an error code.
#pragma once

#include <string>
#include <string_view>

namespace quillon::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);
// The system's message for a GetLastError code, without its closing period and line break.
std::string ErrorText(unsigned long code);

}  // namespace quillon::win32
