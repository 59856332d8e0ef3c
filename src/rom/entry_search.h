// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "rom/module1.h"
#include "rom/record_layout.h"
#include "rom/rom_error.h"

namespace quorvane {

// What a search found.
struct SearchResult {
  enum class Outcome { kFound, kNone, kFailed };
  Outcome outcome = Outcome::kNone;
  std::vector<std::int32_t> matches;  // every entry that holds the value, in list order
  std::int32_t entry = 0;             // the one to go to
  bool wrapped = false;               // past Entry 841 (or Entry 1) to reach it
  std::optional<RomFailure> failure;  // kFailed: why the search stopped
};

// Looks through all 841 records for the entries whose value `which` (the
// pointer, X, Y or Style) holds `value`, reading every byte it needs
// through one open of the image, checked as every access is, and never
// writing one; the data between the runs is never looked at. The entry to go
// to is the first match after `from` in list order (before it, backwards),
// wrapping around; `from` itself only when it is the one match.
SearchResult FindEntries(const Module1& module, RecordValue which, std::uint32_t value, std::int32_t from,
                         bool forward);

}  // namespace quorvane
