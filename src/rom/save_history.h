// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "rom/record_layout.h"

namespace quorvane {

// A byte that a Save wrote: what the file held there before, and after.
struct WrittenByte {
  FieldSlot slot;
  std::uint8_t before;
  std::uint8_t after;
};

// One Save that wrote at least one byte.
struct SaveStep {
  std::int32_t entry = 0;
  std::vector<WrittenByte> bytes;  // in the order they were written
  // The entry's bytes as the file held them once the step was done (or,
  // on the Redo side, once it was taken back): what Undo (or Redo) expects
  // to find in every value the step touched.
  RecordBytes left{};

  bool Touches(const FieldSlot& slot) const;
};

enum class HistoryDirection { kUndo, kRedo };

// The Saves that can be taken back, and those taken back that can be made
// again, in memory only. It records what happened and nothing more: the
// editing session checks the file and writes the bytes.
class SaveHistory {
 public:
  void Clear();
  // A Save that wrote a byte: what could be redone can no longer be. One
  // that wrote nothing changes nothing here.
  void Record(SaveStep step);
  // The step that Undo or Redo would take next; nullptr when there is none.
  const SaveStep* Next(HistoryDirection direction) const;
  // The next step in `direction` has had its first `taken` bytes written
  // back (all of them, or fewer when a write failed): those move to the
  // other side as a step of their own, the rest stay to be taken later;
  // both expect the entry as it now is.
  void Took(HistoryDirection direction, std::size_t taken);

 private:
  std::vector<SaveStep>& Side(HistoryDirection direction) {
    return direction == HistoryDirection::kUndo ? undo_ : redo_;
  }

  std::vector<SaveStep> undo_;
  std::vector<SaveStep> redo_;
};

}  // namespace quorvane
