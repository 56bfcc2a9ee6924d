#pragma once
// The two 8-bit code pages of the Russian systems the program serves: OEM 866 (the DOS names in ZIP
// archives) and ANSI 1251 (names and text of Russian Windows). The system converts; nothing here is
// tabulated by hand. Text on the Unicode side is UTF-8.

#include <string>
#include <string_view>

namespace vx::os {

enum class CodePage { Oem866 = 866, Ansi1251 = 1251 };

// Bytes of a code page as UTF-8 text; a byte the code page leaves empty (0x98 in 1251) becomes U+FFFD.
std::string decodeCodePage(CodePage page, std::string_view bytes);
// UTF-8 text as bytes of a code page. A character the page has no byte for becomes '?', and so does each
// malformed UTF-8 sequence (a lead byte with the continuation bytes that follow it).
std::string encodeCodePage(CodePage page, std::string_view utf8);
// OEM 866 bytes as ANSI 1251 bytes; a character 1251 lacks (the box drawing) becomes '?'.
std::string oemToAnsi(std::string_view oem);
// True when bytes form well-formed UTF-8 (shortest forms, no surrogates, at most U+10FFFF).
bool isValidUtf8(std::string_view bytes);

namespace system {
// The system's own conversions behind the functions above. encode takes well-formed UTF-8 only.
std::string decode(CodePage page, std::string_view bytes);
std::string encode(CodePage page, std::string_view wellFormedUtf8);
} // namespace system

} // namespace vx::os
