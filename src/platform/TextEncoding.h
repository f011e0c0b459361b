// Text encodings at Quillon's boundaries. Inside, text is UTF-8; model files spell characters
// as UTF-16 code units (#NNN); generated files are written in a Windows ANSI code page or in
// UTF-8; the Windows console takes UTF-16.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillon {

// The code page of Western European Windows, which files of older tools were written in.
inline constexpr int kWesternCodePage = 1252;
inline constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsAscii(std::string_view text);
bool IsValidUtf8(std::string_view text);

// Appends the UTF-8 form of `codePoint`; a surrogate or a value past U+10FFFF becomes U+FFFD.
void AppendUtf8(std::string& out, char32_t codePoint);
// The character that starts at text[pos], with pos moved past it. A byte that starts no valid
// UTF-8 sequence is read as the character of the Western code page, so that any bytes decode.
// `pos` must be inside `text`.
char32_t NextCharacter(std::string_view text, std::size_t& pos);
// `text` as UTF-16 code units (NextCharacter's rule for stray bytes).
std::u16string Utf16FromUtf8(std::string_view text);

// The single-byte Windows ANSI code pages that generated files can be written in, ascending.
std::span<const int> SupportedCodePages();
// Each byte of `bytes` as the character it stands for in the Windows code page `codePage`, in
// UTF-8 (a code page not supported is read as the Western one).
std::string Utf8FromCodePage(std::string_view bytes, int codePage);
// `text` in the code page `codePage`; nullopt when a character of it has no byte there (every
// character beyond ASCII, for a code page not supported).
std::optional<std::string> CodePageFromUtf8(std::string_view text, int codePage);

}  // namespace quillon
