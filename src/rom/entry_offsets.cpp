// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/entry_offsets.h"

#include "rom/hex_text.h"
#include "rom/rom_error.h"

namespace quorvane {

static_assert(kMinimumImageSize == 0xF284E);

void EntryOffsetTable::Build() {
  // The entry counter runs on across groups; the step restarts in each.
  std::int32_t entry = 0;
  for (const EntryGroup& group : kEntryGroups) {
    std::uint32_t step = 0;
    while (entry < group.last_entry) {
      ++entry;
      slots_[static_cast<std::size_t>(entry - kFirstEntry)] = FormatHexNumber(group.base + step);
      step += kRecordLength;
    }
  }
}

const std::string& EntryOffsetTable::operator()(std::int32_t entry) const {
  if (entry < kFirstEntry || entry > kLastEntry) throw RomError({.fault = RomFault::kEntryOutOfRange, .entry = entry});
  const std::string& slot = slots_[static_cast<std::size_t>(entry - kFirstEntry)];
  if (slot.empty()) throw RomError({.fault = RomFault::kTableNotBuilt, .entry = entry});
  return slot;
}

}  // namespace quorvane
