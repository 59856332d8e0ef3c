// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "rom/record_layout.h"

namespace quorvane {

inline constexpr std::int32_t kFirstEntry = 1;
inline constexpr std::int32_t kLastEntry = 841;
inline constexpr std::int32_t kEntryCount = kLastEntry - kFirstEntry + 1;

// A run of consecutive entries whose records lie back to back in the image.
// It is given by its last entry number and the file offset of its first record.
struct EntryGroup {
  std::int32_t last_entry;
  std::uint32_t base;
};

// The 20 runs, in the order the table is built. Between them lies other data
// of the game, which belongs to no entry and is never touched.
inline constexpr std::array<EntryGroup, 20> kEntryGroups{{
    {128, 0xF0200}, {132, 0xF07AC}, {136, 0xF07F8}, {213, 0xF0848}, {238, 0xF0BB7}, {309, 0xF0CD2}, {316, 0xF0FE7},
    {330, 0xF1058}, {412, 0xF10F6}, {439, 0xF1480}, {620, 0xF15AD}, {621, 0xF1D80}, {669, 0xF1DA3}, {671, 0xF1FD3},
    {702, 0xF1FF5}, {736, 0xF216C}, {758, 0xF22F7}, {784, 0xF2499}, {828, 0xF25C3}, {841, 0xF27BF},
}};

// An image shorter than this does not hold every record. The last run holds
// entries 829 to 841 back to back from its base, so its last record ends at
// F27BF + 13 x 11 = F284E (its last byte is at F284D).
inline constexpr std::uint32_t kMinimumImageSize =
    kEntryGroups[19].base + static_cast<std::uint32_t>(kRecordLength) *
                                static_cast<std::uint32_t>(kEntryGroups[19].last_entry - kEntryGroups[18].last_entry);

// The file offset of every entry's first record byte, kept as upper-case
// hexadecimal text ("F0200") in slots indexed by entry number 1 to 841.
class EntryOffsetTable {
 public:
  // Fills all 841 slots from kEntryGroups; done once, at start-up.
  void Build();

  // The slot of an entry. Throws RomError for a number outside 1 to 841
  // (kEntryOutOfRange), and for any number before the table has been built.
  const std::string& operator()(std::int32_t entry) const;

 private:
  std::array<std::string, kEntryCount> slots_;
};

}  // namespace quorvane
