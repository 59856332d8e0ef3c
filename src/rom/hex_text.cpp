// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/hex_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quorvane {
namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool IsDroppedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char c) { return !IsDroppedBlank(c); });
  return kept;
}

}  // namespace

bool IsHexDigit(char c) { return HexDigitValue(c) >= 0; }

std::string FormatHexNumber(std::uint32_t value) {
  char buffer[8];
  auto [end, ec] = std::to_chars(std::begin(buffer), std::end(buffer), value, 16);
  std::string text(buffer, end);
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return text;
}

std::string FormatByteText(std::uint8_t value) {
  std::string text = FormatHexNumber(value);
  return text.size() == 1 ? "0" + text : text;
}

std::optional<std::uint32_t> ParseHexNumber(std::string_view text) {
  std::uint32_t value = 0;
  if (text.empty() || !std::all_of(text.begin(), text.end(), IsHexDigit)) return std::nullopt;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<std::uint8_t> ParseStrictByteText(std::string_view text) {
  const std::string kept = WithoutBlanks(text);
  const std::optional<std::uint32_t> value = kept.size() <= 2 ? ParseHexNumber(kept) : std::nullopt;
  if (!value) return std::nullopt;
  return static_cast<std::uint8_t>(*value);
}

}  // namespace quorvane
