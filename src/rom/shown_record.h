// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "rom/record_layout.h"

namespace quorvane {

// The bytes that the ten boxes showed when the entry was last read from the
// image, to tell which boxes the user has edited since.
class ShownRecord {
 public:
  // Nothing is known as shown (no entry yet, or its display failed): a box
  // that holds any text at all counts as edited.
  void Forget() { bytes_.fill(std::nullopt); }
  // Box 1 to 10 now shows the byte that this text, read from the file,
  // stands for.
  void Remember(int box, std::string_view byte_text);

  // Whether the box's text no longer stands for the byte it showed: "c3"
  // over "C3" is no edit; "C4", "zz" or an emptied box is.
  bool IsEdited(int box, std::string_view text) const;
  // The byte box 1 to 10 showed, if one is known.
  std::optional<std::uint8_t> Byte(int box) const { return bytes_.at(IndexOfBox(box)); }

 private:
  std::array<std::optional<std::uint8_t>, 10> bytes_{};
};

}  // namespace quorvane
