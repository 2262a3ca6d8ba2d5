#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marquis {

// The single-byte Windows-1252 character set that the core, its files and the unit use, and
// UTF-8, which the desktop and the command line speak.

// Whether the text is valid UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool isUtf8(std::string_view text);

// UTF-8 to Windows-1252; no value when the text is not valid UTF-8 or holds a character that
// Windows-1252 cannot represent.
std::optional<std::string> utf8ToWindows1252(std::string_view utf8);

// Windows-1252 to UTF-8. The five byte values that Windows-1252 leaves undefined are carried
// over as the C1 control characters of the same number, so that no byte is lost.
std::string windows1252ToUtf8(std::string_view text);

// The Unicode code point of one Windows-1252 byte.
char32_t windows1252CodePoint(unsigned char byte);

} // namespace marquis
