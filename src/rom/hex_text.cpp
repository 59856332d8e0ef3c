// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/hex_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace quorvane {
namespace {

bool IsDroppedBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

std::string WithoutBlanks(std::string_view text) {
  std::string kept;
  kept.reserve(text.size());
  std::copy_if(text.begin(), text.end(), std::back_inserter(kept), [](char c) { return !IsDroppedBlank(c); });
  return kept;
}

}  // namespace

std::uint32_t JoinBytes(const std::vector<std::uint8_t>& bytes) {
  std::uint32_t number = 0;
  for (std::uint8_t byte : bytes) number = number << 8 | byte;
  return number;
}

std::vector<std::uint8_t> SplitBytes(std::uint32_t number, std::size_t count) {
  std::vector<std::uint8_t> bytes(count);
  for (std::size_t i = count; i-- > 0; number >>= 8) bytes[i] = static_cast<std::uint8_t>(number);
  return bytes;
}

std::string FormatValue(RecordValue value, std::uint32_t number) {
  const std::string digits = FormatHexNumber(number);
  const auto width = static_cast<std::size_t>(ValueDigits(value));
  return digits.size() >= width ? digits : std::string(width - digits.size(), '0') + digits;
}

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
  if (!IsHexText(text)) return std::nullopt;
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
