// Small text, number and colour helpers shared by many parts of the client.
//
// Text is Windows-1252 bytes in std::string. Letter case is folded for the
// ASCII letters A-Z only, everywhere, so names compare the same on every
// platform and locale. Field cutters take the text by reference and remove
// what they return from its front; they never fail.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Removes the text up to the first "," (and the ",") and returns it; without
// a "," the whole text is returned and the text becomes empty.
std::string CutField(std::string& text);
// The same with the byte 1, the end of a text field in server messages.
std::string TakeField(std::string& text);
// Removes the first byte and returns it; 0 for an empty text.
uint8_t TakeByte(std::string& text);

// Every occurrence of search replaced by replacement, scanning left to right;
// inserted text is not searched again. An empty search changes nothing.
std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement);
// "%" and two upper-case hex digits for every byte 0x00-0x2F and 0x3A-0x40;
// digits, letters, 0x5B-0x60 and 0x7B-0xFF stay.
std::string UrlEncode(const std::string& text);
// Two upper-case hexadecimal digits.
std::string HexByte(uint8_t value);
// A 16-bit value as two bytes, low byte first.
std::string TwoBytes(uint16_t value);

// A 32-bit integer: optional leading blanks (byte 32), optional "+" or "-",
// then decimal digits, or hexadecimal digits after "$", "x" or "0x". Nothing
// may follow. Decimal values must fit a signed 32-bit integer; hexadecimal
// ones may use all 32 bits ("$FFFFFFFF" is -1) before the sign is applied.
// False (value untouched) for anything else.
bool ParseInteger(const std::string& text, int32_t& value);

// ASCII letter-case folding and comparison.
std::string LowerCaseAscii(std::string text);
bool SameTextAscii(const std::string& a, const std::string& b);

// The local time of day since midnight.
int64_t TimeOfDayMs(std::chrono::system_clock::time_point time);
int64_t TimeOfDayMs();
int64_t TimeOfDaySeconds(std::chrono::system_clock::time_point time);
int64_t TimeOfDaySeconds();

// Subtracts (Darken) or adds (Lighten) amount to each of the three low 8-bit
// channels of a colour, clamped to 0..255; the top byte is kept.
uint32_t Darken(uint32_t colour, int amount);
uint32_t Lighten(uint32_t colour, int amount);

// The number identifying this machine at logon: a stable 32-bit number, 0
// when it cannot be read.
uint32_t VolumeSerial();
