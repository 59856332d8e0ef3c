// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/entry_search.h"

#include <algorithm>

#include "rom/record_layout.h"

namespace quorvane {

SearchResult FindEntries(const Module1& module, std::string_view group_label, std::uint32_t value, std::int32_t from,
                         bool forward) {
  // The value's bytes, most significant first, as the field table and the
  // boxes give them.
  std::vector<std::pair<std::int16_t, std::uint8_t>> bytes;
  for (const FieldSlot& slot : kFieldTable) {
    if (slot.group_label == group_label) bytes.emplace_back(slot.position, 0);
  }
  for (std::size_t i = bytes.size(), shift = 0; i-- > 0; shift += 8) {
    bytes[i].second = static_cast<std::uint8_t>(value >> shift);
  }
  SearchResult result;
  try {
    for (std::int32_t entry = kFirstEntry; entry <= kLastEntry; ++entry) {
      const bool holds = std::all_of(bytes.begin(), bytes.end(), [&](const auto& byte) {
        return module.ReadFieldValue(entry, byte.first) == byte.second;
      });
      if (holds) result.matches.push_back(entry);
    }
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
