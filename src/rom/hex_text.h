#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorvane {

// Only ASCII 0-9, A-F and a-f count; other scripts' digits do not.
bool IsHexDigit(char c);

// Upper-case hexadecimal without prefix or leading zeros ("F0200", "0").
std::string FormatHexNumber(std::uint32_t value);

// One byte as exactly two upper-case hexadecimal digits ("05", "AB").
std::string FormatByteText(std::uint8_t value);

// Reads an offset written by FormatHexNumber back; nullopt if it is not one.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text);

// The way a field box's text becomes a byte when it is written: blanks, tabs
// and line feeds are dropped, then hexadecimal digits of either case are read
// from the start up to the first other character; no digits at all give 0.
// nullopt when the digits read stand for more than one byte ("1FF").
std::optional<std::uint8_t> ParseLeadingHexByte(std::string_view text);

// The stricter check made before anything is saved: once blanks, tabs and
// line feeds are dropped, the text must be one or two hexadecimal digits.
std::optional<std::uint8_t> ParseStrictByteText(std::string_view text);

}  // namespace quorvane
