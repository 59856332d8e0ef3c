// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/entry_search.h"

#include <algorithm>

#include "rom/hex_text.h"

namespace quorvane {

SearchResult FindEntries(const Module1& module, RecordValue which, std::uint32_t value, std::int32_t from,
                         bool forward) {
  // The value's field positions and bytes, most significant first, as the
  // field table and the boxes give them.
  std::vector<std::int16_t> positions;
  for (const FieldSlot& slot : kFieldTable) {
    if (slot.value == which) positions.push_back(slot.position);
  }
  const std::vector<std::uint8_t> bytes = SplitBytes(value, positions.size());
  SearchResult result;
  try {
    Module1::Reading image = module.OpenForReading();
    for (std::int32_t entry = kFirstEntry; entry <= kLastEntry; ++entry) {
      std::size_t held = 0;
      while (held < bytes.size() && image.Field(entry, positions[held]) == bytes[held]) ++held;
      const bool holds = held == bytes.size();
      if (holds) result.matches.push_back(entry);
    }
    image.Close();
  } catch (const RomError& failure) {
    result.outcome = SearchResult::Outcome::kFailed;
    result.failure = failure.failure();
    return result;
  }
  if (result.matches.empty()) return result;
  result.outcome = SearchResult::Outcome::kFound;
  if (forward) {
    const auto next = std::upper_bound(result.matches.begin(), result.matches.end(), from);
    result.wrapped = next == result.matches.end();
    result.entry = result.wrapped ? result.matches.front() : *next;
  } else {
    const auto next = std::lower_bound(result.matches.begin(), result.matches.end(), from);
    result.wrapped = next == result.matches.begin();
    result.entry = result.wrapped ? result.matches.back() : *std::prev(next);
  }
  return result;
}

}  // namespace quorvane
