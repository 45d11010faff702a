// Conversion between the system's 8-bit text (Windows-1252) and UTF-8, used
// only where text crosses the platform boundary: typed characters, the
// clipboard, window titles, message boxes, URLs handed to the shell.
//
// The five bytes Windows-1252 leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D)
// stand for the C1 control characters of the same number, both ways, so every
// byte string survives a round trip through UTF-8.
#pragma once

#include <string>

namespace platform {

// Every byte becomes one character.
std::string Cp1252ToUtf8(const std::string& text);
// Characters without a Windows-1252 byte are dropped, and so are bytes that
// are not part of a well-formed UTF-8 sequence (overlong forms, surrogates and
// values above U+10FFFF count as malformed).
std::string Utf8ToCp1252(const std::string& text);

}  // namespace platform
