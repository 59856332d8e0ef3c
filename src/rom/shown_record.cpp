// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/shown_record.h"

#include "rom/hex_text.h"

namespace quorvane {

void ShownRecord::Remember(int box, std::string_view byte_text) {
  bytes_.at(IndexOfBox(box)) = ParseStrictByteText(byte_text);
}

bool ShownRecord::IsEdited(int box, std::string_view text) const {
  const std::optional<std::uint8_t>& shown = bytes_.at(IndexOfBox(box));
  if (!shown) return !text.empty();
  return ParseStrictByteText(text) != shown;
}

}  // namespace quorvane
