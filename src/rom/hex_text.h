// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "rom/record_layout.h"

namespace quorvane {

// The codec of the record's values: a byte's and a value's hexadecimal
// digits, and a value's bytes, most significant first.

// Only ASCII 0-9, A-F and a-f count; other scripts' digits do not. Any
// character type (char, char16_t, char32_t).
template <typename Char>
constexpr bool IsHexDigit(Char c) {
  return (c >= Char('0') && c <= Char('9')) || (c >= Char('A') && c <= Char('F')) || (c >= Char('a') && c <= Char('f'));
}
// Whether a text is one or more hexadecimal digits and nothing else.
template <typename Text>
bool IsHexText(const Text& text) {
  return text.begin() != text.end() && std::all_of(text.begin(), text.end(), [](auto c) { return IsHexDigit(c); });
}

// A value's bytes, most significant first, as one number; and back, as
// `count` bytes.
std::uint32_t JoinBytes(const std::vector<std::uint8_t>& bytes);
std::vector<std::uint8_t> SplitBytes(std::uint32_t number, std::size_t count);
// A value as the boxes show it, all its digits, most significant first:
// the pointer 0xC3055F as "C3055F", Style 5 as "05".
std::string FormatValue(RecordValue value, std::uint32_t number);

// Upper-case hexadecimal without prefix or leading zeros ("F0200", "0").
std::string FormatHexNumber(std::uint32_t value);

// One byte as exactly two upper-case hexadecimal digits ("05", "AB").
std::string FormatByteText(std::uint8_t value);

// Reads an offset written by FormatHexNumber back; nullopt if it is not one.
std::optional<std::uint32_t> ParseHexNumber(std::string_view text);

// A box's text as the byte it stands for: once blanks, tabs and line feeds
// are dropped, it must be one or two hexadecimal digits of either case.
std::optional<std::uint8_t> ParseStrictByteText(std::string_view text);

}  // namespace quorvane
