// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/save_history.h"

#include <algorithm>
#include <iterator>

namespace quorvane {

bool SaveStep::Touches(const FieldSlot& slot) const {
  return std::any_of(bytes.begin(), bytes.end(), [&](const WrittenByte& byte) { return SameValue(byte.slot, slot); });
}

void SaveHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

void SaveHistory::Record(SaveStep step) {
  if (step.bytes.empty()) return;  // a Save that wrote nothing is no step
  redo_.clear();
  undo_.push_back(std::move(step));
}

const SaveStep* SaveHistory::Next(HistoryDirection direction) const {
  const std::vector<SaveStep>& side = direction == HistoryDirection::kUndo ? undo_ : redo_;
  return side.empty() ? nullptr : &side.back();
}

void SaveHistory::Took(HistoryDirection direction, std::size_t taken) {
  std::vector<SaveStep>& from = Side(direction);
  std::vector<SaveStep>& to =
      Side(direction == HistoryDirection::kUndo ? HistoryDirection::kRedo : HistoryDirection::kUndo);
  if (from.empty() || taken == 0) return;
  SaveStep& step = from.back();
  taken = std::min(taken, step.bytes.size());
  for (std::size_t i = 0; i < taken; ++i) {
    const WrittenByte& byte = step.bytes[i];
    step.left[IndexOfBox(byte.slot.box)] = direction == HistoryDirection::kUndo ? byte.before : byte.after;
  }
  if (taken == step.bytes.size()) {
    to.push_back(std::move(step));
    from.pop_back();
    return;
  }
  const auto split = step.bytes.begin() + static_cast<std::ptrdiff_t>(taken);
  to.push_back({step.entry, {step.bytes.begin(), split}, step.left});
  step.bytes.erase(step.bytes.begin(), split);
}

}  // namespace quorvane
