// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
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

// A box's text as the byte it stands for: once blanks, tabs and line feeds
// are dropped, it must be one or two hexadecimal digits of either case.
std::optional<std::uint8_t> ParseStrictByteText(std::string_view text);

}  // namespace quorvane
