// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/editing_session.h"

#include <algorithm>

#include "rom/hex_text.h"
#include "rom/rom_error.h"
#include "rom/save_check.h"

namespace quorvane {

std::string_view OutcomeName(SaveResult::Outcome outcome) {
  switch (outcome) {
    case SaveResult::Outcome::kSaved:
      return "saved";
    case SaveResult::Outcome::kNoImage:
      return "no image";
    case SaveResult::Outcome::kNoEntry:
      return "no entry";
    case SaveResult::Outcome::kBoxAtFault:
      return "box at fault";
    case SaveResult::Outcome::kChangedElsewhere:
      return "changed";
    case SaveResult::Outcome::kFailed:
      return "failed";
    case SaveResult::Outcome::kOtherDisplay:
      return "other display";
  }
  return "unknown outcome";
}

std::string_view OutcomeName(EditingSession::StepResult::Outcome outcome) {
  using StepResult = EditingSession::StepResult;
  switch (outcome) {
    case StepResult::Outcome::kDone:
      return "done";
    case StepResult::Outcome::kNothing:
      return "nothing";
    case StepResult::Outcome::kUnsettled:
      return "unsettled";
    case StepResult::Outcome::kRefused:
      return "refused";
    case StepResult::Outcome::kFailed:
      return "failed";
    case StepResult::Outcome::kOtherDisplay:
      return "other display";
  }
  return "unknown outcome";
}

void EditingSession::Open(const std::filesystem::path& path, const CheckedImage& checked) {
  module_.RomPath = path;
  module_.RomIdentity = checked.identity;
  writable_ = checked.writable;
  ++display_;
  shown_entry_ = 0;
  shown_.Forget();
  seen_elsewhere_.reset();
  // Even the same image again: what it holds may have changed since.
  history_.Clear();
}

RecordBytes EditingSession::ReadRecord(std::int32_t entry, BoxTexts* texts) const {
  RecordBytes bytes{};
  for (const FieldSlot& slot : kFieldTable) {
    const std::uint8_t byte = module_.ReadFieldValue(entry, slot.position);
    bytes[IndexOfBox(slot.box)] = byte;
    if (texts != nullptr) (*texts)[IndexOfBox(slot.box)] = FormatByteText(byte);
  }
  return bytes;
}

EditingSession::Display EditingSession::Show(std::int32_t entry) {
  // Until all ten bytes are in, nothing counts as shown, so a failure part
  // of the way leaves nothing that a Save could write.
  ++display_;
  shown_entry_ = 0;
  shown_.Forget();
  seen_elsewhere_.reset();
  Display display;
  display.token = display_;
  try {
    ReadRecord(entry, &display.texts);
  } catch (const RomError& failure) {
    if (failure.failure().fault != RomFault::kReplaced) throw;
    // Another file has taken the image's place: the entry is read from it
    // alone, from the first byte on, and it is the image from now on.
    const CheckedImage now = CheckImage(module_.Files(), module_.RomPath);
    // Every offset would be 512 bytes off in a file without the copier
    // header: only Open, which asks about it, takes one on.
    if (now.SeemsToLackHeader()) {
      throw RomError({.fault = RomFault::kReplacedHeaderless, .path = module_.RomPath, .size = now.size});
    }
    module_.RomIdentity = now.identity;
    writable_ = now.writable;
    // The Saves made were made into the other file.
    history_.Clear();
    ReadRecord(entry, &display.texts);
    display.replaced = true;
  }
  shown_entry_ = entry;
  for (const FieldSlot& slot : kFieldTable) shown_.Remember(slot.box, display.texts[IndexOfBox(slot.box)]);
  return display;
}

std::optional<EditingSession::Display> EditingSession::TakeOnReplacement(const CheckedImage& checked,
                                                                         const BoxTexts& texts, DisplayToken display) {
  if (display != display_ || shown_entry_ == 0) return std::nullopt;
  Display taken;
  const auto before = module_.RomIdentity;
  module_.RomIdentity = checked.identity;
  try {
    ReadRecord(shown_entry_, &taken.texts);
  } catch (const RomError&) {
    module_.RomIdentity = before;
    throw;
  }
  // A value the user changed is kept whole, as typed, so that no pointer,
  // X or Y is left made of the user's bytes and the new file's.
  const BoxTexts read = taken.texts;
  for (const FieldSlot& edited : kFieldTable) {
    if (!IsEdited(edited.box, texts[IndexOfBox(edited.box)])) continue;
    for (const FieldSlot& slot : kFieldTable) {
      if (SameValue(slot, edited)) taken.texts[IndexOfBox(slot.box)] = texts[IndexOfBox(slot.box)];
    }
  }
  shown_.Forget();
  for (const FieldSlot& slot : kFieldTable) shown_.Remember(slot.box, read[IndexOfBox(slot.box)]);
  writable_ = checked.writable;
  seen_elsewhere_.reset();
  history_.Clear();  // its Saves were made into the other file
  taken.token = ++display_;
  return taken;
}

std::uint32_t EditingSession::ShownValue(RecordValue which) const {
  std::vector<std::uint8_t> bytes;
  for (const FieldSlot& slot : kFieldTable) {
    if (slot.value == which) bytes.push_back(shown_.Byte(slot.box).value_or(0));
  }
  return JoinBytes(bytes);
}

bool EditingSession::IsEdited(int box, std::string_view text) const {
  const FieldSlot& slot = SlotOfBox(box);
  return slot.editable && shown_.IsEdited(box, text);
}

bool EditingSession::HasEdits(const BoxTexts& texts) const {
  return std::any_of(kFieldTable.begin(), kFieldTable.end(),
                     [&](const FieldSlot& slot) { return IsEdited(slot.box, texts[IndexOfBox(slot.box)]); });
}

SaveResult EditingSession::Save(const BoxTexts& texts, DisplayToken display, SaveScope scope) {
  SaveResult result;
  result.entry = shown_entry_;
  if (!IsOpen() || shown_entry_ == 0) {
    result.outcome = IsOpen() ? SaveResult::Outcome::kNoEntry : SaveResult::Outcome::kNoImage;
    return result;
  }
  // Texts read from one display are never written over what another one
  // showed, even of the same entry.
  if (display != display_) {
    result.outcome = SaveResult::Outcome::kOtherDisplay;
    return result;
  }
  // Every box is checked before the first byte is written.
  if (const std::optional<FieldSlot> invalid = FindInvalidField([&](int box) { return texts[IndexOfBox(box)]; })) {
    result.outcome = SaveResult::Outcome::kBoxAtFault;
    result.box = invalid->box;
    return result;
  }

  // What to write, in field order.
  std::array<bool, 10> write{};
  for (const FieldSlot& slot : kFieldTable)
    write[IndexOfBox(slot.box)] = IsEdited(slot.box, texts[IndexOfBox(slot.box)]);
  if (scope == SaveScope::kEditedValuesWhole) {
    for (const FieldSlot& edited : kFieldTable) {
      if (!write[IndexOfBox(edited.box)]) continue;
      for (const FieldSlot& slot : kFieldTable) {
        if (slot.editable && SameValue(slot, edited)) write[IndexOfBox(slot.box)] = true;
      }
    }
  }
  result.to_write = static_cast<std::size_t>(std::count(write.begin(), write.end(), true));

  // Before the first write, the whole record must still be as it was shown
  // (or, after the user heard of another program's change, as it was then).
  RecordBytes now{};
  if (result.to_write > 0) {
    try {
      now = ReadRecord(shown_entry_, nullptr);
    } catch (const RomError& failure) {
      result.failure = failure.failure();
      return result;
    }
    for (const FieldSlot& slot : kFieldTable) {
      const std::uint8_t expected = scope == SaveScope::kEditedValuesWhole && seen_elsewhere_
                                        ? (*seen_elsewhere_)[IndexOfBox(slot.box)]
                                        : shown_.Byte(slot.box).value_or(0);
      if (now[IndexOfBox(slot.box)] != expected) result.changes.push_back({slot, expected, now[IndexOfBox(slot.box)]});
    }
    if (!result.changes.empty()) {
      result.changed_since_told = scope == SaveScope::kEditedValuesWhole && seen_elsewhere_.has_value();
      seen_elsewhere_ = now;
      result.outcome = SaveResult::Outcome::kChangedElsewhere;
      return result;
    }
  }

  // The edits; should one fail, those written so far count as saved and
  // the others stay edits. What was written can be taken back like any Save.
  SaveStep step{shown_entry_, {}, now};
  for (const FieldSlot& slot : kFieldTable) {
    if (!write[IndexOfBox(slot.box)]) continue;
    const std::uint8_t value = ParseStrictByteText(texts[IndexOfBox(slot.box)]).value_or(0);
    const bool written = Write(shown_entry_, slot, value, result.failure);
    if (written) {
      result.written.push_back({slot, now[IndexOfBox(slot.box)], value});
      step.left[IndexOfBox(slot.box)] = value;
      shown_.Remember(slot.box, FormatByteText(value));
      result.texts[IndexOfBox(slot.box)] = FormatByteText(value);
    }
    if (result.failure) {
      result.unconfirmed = written;
      step.bytes = result.written;
      history_.Record(std::move(step));
      return result;
    }
  }
  seen_elsewhere_.reset();
  step.bytes = result.written;
  history_.Record(std::move(step));

  // Then all ten are read again, so that the boxes show what the file holds.
  for (const FieldSlot& slot : kFieldTable) {
    try {
      std::string text = module_.ReadFieldByte(shown_entry_, slot.position);
      shown_.Remember(slot.box, text);
      result.texts[IndexOfBox(slot.box)] = std::move(text);
    } catch (const RomError& failure) {
      result.failure = failure.failure();
      return result;
    }
  }
  result.outcome = SaveResult::Outcome::kSaved;
  return result;
}

std::int32_t EditingSession::NextStepEntry(HistoryDirection direction) const {
  const SaveStep* step = history_.Next(direction);
  return step == nullptr ? 0 : step->entry;
}

bool EditingSession::Write(std::int32_t entry, const FieldSlot& slot, std::uint8_t value,
                           std::optional<RomFailure>& failure) {
  try {
    module_.WriteFieldByte(entry, slot.position, value);
    writable_ = true;
    return true;
  } catch (const RomError& error) {
    failure = error.failure();
    // Refused for the file's permissions, or for a passing fault: the file says which.
    if (failure->fault == RomFault::kCannotOpen) writable_ = module_.Files().MayWrite(module_.RomPath);
    return ReachedTheFile(*failure);
  }
}

void EditingSession::RecheckWritable() {
  if (!IsOpen()) return;
  try {
    module_.OpenForReading().Close();  // checked as every access is: still the file the session holds
  } catch (const RomError&) {
    return;
  }
  writable_ = module_.Files().MayWrite(module_.RomPath);
}

EditingSession::StepResult EditingSession::TakeStep(HistoryDirection direction, const BoxTexts& texts,
                                                    DisplayToken display) {
  StepResult result;
  const SaveStep* next = history_.Next(direction);
  if (next == nullptr) return result;
  const SaveStep step = *next;
  const bool undo = direction == HistoryDirection::kUndo;
  result.entry = step.entry;
  result.total = step.bytes.size();
  if (display != display_) {
    result.outcome = StepResult::Outcome::kOtherDisplay;
    return result;
  }
  result.outcome = HasEdits(texts) ? StepResult::Outcome::kUnsettled : StepResult::Outcome::kRefused;
  if (result.outcome == StepResult::Outcome::kUnsettled) return result;

  // Every byte of each value the step touched must still hold what the
  // step left there, those it did not write included.
  RecordBytes now{};
  try {
    now = ReadRecord(step.entry, nullptr);
  } catch (const RomError& failure) {
    result.failure = failure.failure();
    return result;
  }
  for (const FieldSlot& slot : kFieldTable) {
    if (step.Touches(slot) && now[IndexOfBox(slot.box)] != step.left[IndexOfBox(slot.box)]) {
      result.changed = ChangedByte{slot, step.left[IndexOfBox(slot.box)], now[IndexOfBox(slot.box)]};
      return result;
    }
  }

  result.outcome = StepResult::Outcome::kDone;
  for (const WrittenByte& byte : step.bytes) {
    const bool written = Write(step.entry, byte.slot, undo ? byte.before : byte.after, result.failure);
    if (written) ++result.taken;
    if (result.failure) {
      result.outcome = StepResult::Outcome::kFailed;
      result.unconfirmed = written;
      break;
    }
  }
  history_.Took(direction, result.taken);
  if (result.taken == 0) return result;

  // The entry is shown as the file now holds it; the boxes held no edits.
  try {
    result.display = Show(step.entry);
  } catch (const RomError& failure) {
    result.display_failure = failure.failure();
  }
  return result;
}

}  // namespace quorvane
