// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/save_check.h"

#include "rom/hex_text.h"

namespace quorvane {

std::optional<FieldSlot> FindInvalidField(const std::function<std::string(int box)>& text_of_box) {
  for (const FieldSlot& slot : kFieldTable) {
    // A byte the user may not change is never written, so never in the way.
    if (slot.editable && !ParseStrictByteText(text_of_box(slot.box))) return slot;
  }
  return std::nullopt;
}

std::optional<std::string> PointerAsSaved(const std::function<std::string(int box)>& text_of_box) {
  std::vector<std::uint8_t> pointer;
  for (int box : kPointerBoxes) {
    const std::optional<std::uint8_t> byte = ParseStrictByteText(text_of_box(box));
    if (!byte) return std::nullopt;
    pointer.push_back(*byte);
  }
  return FormatValue(RecordValue::kPointer, JoinBytes(pointer));
}

}  // namespace quorvane
