#include "rom/editing_session.h"

#include <algorithm>

#include "rom/hex_text.h"
#include "rom/rom_error.h"
#include "rom/save_check.h"

namespace quorvane {
namespace {

std::size_t IndexOf(int box) { return static_cast<std::size_t>(box - 1); }

// A field as the window names it: "X:" high byte.
std::string FieldName(const FieldSlot& slot) {
  std::string name = "\"";
  name.append(slot.group_label).append("\" ").append(slot.byte_name);
  return name;
}

std::string NothingSaved(const RomError& failure) {
  std::string message = std::string(failure.what()) + " Nothing was saved; your changes are still in the boxes.";
  if (dynamic_cast<const ImageReplacedError*>(&failure) != nullptr) {
    message += " To see what the new file holds, pick the entry in the list again and choose Don't Save.";
  }
  return message;
}

}  // namespace

void EditingSession::Open(const std::filesystem::path& path, const CheckedImage& checked) {
  module_.RomPath = path;
  module_.RomIdentity = checked.identity;
  shown_entry_ = 0;
  shown_.Forget();
  seen_elsewhere_.reset();
  // Even the same image again: what it holds may have changed since.
  history_.Clear();
}

RecordBytes EditingSession::ReadRecord(std::int32_t entry, BoxTexts* texts) const {
  RecordBytes bytes{};
  for (const FieldSlot& slot : kFieldTable) {
    std::string text = module_.ReadFieldByte(entry, slot.position);
    bytes[IndexOf(slot.box)] = ParseStrictByteText(text).value_or(0);
    if (texts != nullptr) (*texts)[IndexOf(slot.box)] = std::move(text);
  }
  return bytes;
}

EditingSession::Display EditingSession::Show(std::int32_t entry) {
  // Until all ten bytes are in, nothing counts as shown, so a failure part
  // of the way leaves nothing that a Save could write.
  shown_entry_ = 0;
  shown_.Forget();
  seen_elsewhere_.reset();
  Display display;
  try {
    ReadRecord(entry, &display.texts);
  } catch (const ImageReplacedError&) {
    // Another file has taken the image's place: the entry is read from it
    // alone, from the first byte on, and it is the image from now on.
    module_.RomIdentity = CheckImage(module_.RomPath).identity;
    // The Saves made were made into the other file.
    history_.Clear();
    ReadRecord(entry, &display.texts);
    display.replaced = true;
  }
  shown_entry_ = entry;
  for (const FieldSlot& slot : kFieldTable) shown_.Remember(slot.box, display.texts[IndexOf(slot.box)]);
  return display;
}

bool EditingSession::IsEdited(int box, std::string_view text) const {
  const FieldSlot& slot = SlotOfBox(box);
  return slot.editable && shown_.IsEdited(box, text);
}

bool EditingSession::HasEdits(const BoxTexts& texts) const {
  return std::any_of(kFieldTable.begin(), kFieldTable.end(),
                     [&](const FieldSlot& slot) { return IsEdited(slot.box, texts[IndexOf(slot.box)]); });
}

SaveResult EditingSession::Save(const BoxTexts& texts, SaveScope scope) {
  SaveResult result;
  if (!IsOpen()) {
    result.message = "No image is open, so there is nothing to save. Open one with File > Open.";
    return result;
  }
  if (shown_entry_ == 0) {
    result.message = "No entry is shown, so there is nothing to save. Pick one in the list.";
    return result;
  }
  // Every box is checked before the first byte is written.
  if (const std::optional<InvalidField> invalid = FindInvalidField([&](int box) { return texts[IndexOf(box)]; })) {
    result.outcome = SaveResult::Outcome::kBoxAtFault;
    result.box = invalid->slot.box;
    result.message = invalid->message;
    return result;
  }

  // What to write, in field order.
  std::array<bool, 10> write{};
  for (const FieldSlot& slot : kFieldTable) write[IndexOf(slot.box)] = IsEdited(slot.box, texts[IndexOf(slot.box)]);
  if (scope == SaveScope::kEditedValuesWhole) {
    for (const FieldSlot& edited : kFieldTable) {
      if (!write[IndexOf(edited.box)]) continue;
      for (const FieldSlot& slot : kFieldTable) {
        if (slot.editable && slot.group_label == edited.group_label) write[IndexOf(slot.box)] = true;
      }
    }
  }
  const bool any = std::find(write.begin(), write.end(), true) != write.end();

  // Before the first write, the whole record must still be as it was shown
  // (or, after the user heard of another program's change, as it was then).
  RecordBytes now{};
  if (any) {
    try {
      now = ReadRecord(shown_entry_, nullptr);
    } catch (const RomError& failure) {
      result.message = NothingSaved(failure);
      return result;
    }
    for (const FieldSlot& slot : kFieldTable) {
      const std::uint8_t expected = scope == SaveScope::kEditedValuesWhole && seen_elsewhere_
                                        ? (*seen_elsewhere_)[IndexOf(slot.box)]
                                        : shown_.Byte(slot.box).value_or(0);
      if (now[IndexOf(slot.box)] != expected) result.changes.push_back({slot, expected, now[IndexOf(slot.box)]});
    }
    if (!result.changes.empty()) {
      seen_elsewhere_ = now;
      result.outcome = SaveResult::Outcome::kChangedElsewhere;
      result.message = "Another program has changed entry " + std::to_string(shown_entry_) + " in \"" +
                       DisplayPath(module_.RomPath) + "\" since it was shown:";
      for (const ChangedByte& change : result.changes) {
        result.message.append("\n").append(FieldName(change.slot)).append(": ");
        result.message.append(FormatByteText(change.shown)).append(" is now ").append(FormatByteText(change.now));
      }
      return result;
    }
  }

  // The edits; should one fail, those written so far count as saved and
  // the others stay edits.
  for (const FieldSlot& slot : kFieldTable) {
    if (!write[IndexOf(slot.box)]) continue;
    const std::uint8_t value = ParseStrictByteText(texts[IndexOf(slot.box)]).value_or(0);
    try {
      module_.WriteFieldValue(shown_entry_, slot.position, value);
    } catch (const RomError& failure) {
      // What was written can be taken back like any Save.
      history_.Record({shown_entry_, result.written});
      result.message = result.written.empty()
                           ? NothingSaved(failure)
                           : std::string(failure.what()) + " Only " + std::to_string(result.written.size()) +
                                 " of the changed bytes were saved; the others are still shown as changes.";
      return result;
    }
    result.written.push_back({slot, now[IndexOf(slot.box)], value});
    shown_.Remember(slot.box, FormatByteText(value));
    result.texts[IndexOf(slot.box)] = FormatByteText(value);
  }
  seen_elsewhere_.reset();
  history_.Record({shown_entry_, result.written});

  // Then all ten are read again, so that the boxes show what the file holds.
  for (const FieldSlot& slot : kFieldTable) {
    try {
      std::string text = module_.ReadFieldByte(shown_entry_, slot.position);
      shown_.Remember(slot.box, text);
      result.texts[IndexOf(slot.box)] = std::move(text);
    } catch (const RomError& failure) {
      result.message = std::string(failure.what()) +
                       (result.written.empty() ? "" : " The changes were saved, but the entry could not be read back.");
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

EditingSession::StepResult EditingSession::TakeStep(HistoryDirection direction) {
  StepResult result;
  const SaveStep* next = history_.Next(direction);
  if (next == nullptr) {
    result.message = direction == HistoryDirection::kUndo ? "There is no Save to undo." : "There is no Save to redo.";
    return result;
  }
  const SaveStep step = *next;
  const bool undo = direction == HistoryDirection::kUndo;
  const std::string what = std::string(undo ? "The Save of entry " : "The undone Save of entry ") +
                           std::to_string(step.entry) + (undo ? " cannot be undone: " : " cannot be redone: ");
  result.entry = step.entry;

  // The file must still hold, at each byte, what the step left there.
  for (const WrittenByte& byte : step.bytes) {
    std::string text;
    try {
      text = module_.ReadFieldByte(step.entry, byte.slot.position);
    } catch (const RomError& failure) {
      result.message = what + failure.what() + " Nothing was written.";
      return result;
    }
    const std::uint8_t left = undo ? byte.after : byte.before;
    if (ParseStrictByteText(text) != left) {
      result.message = what;
      result.message.append("another program has changed ").append(FieldName(byte.slot)).append(" since, from ");
      result.message.append(FormatByteText(left)).append(" to ").append(text).append(". Nothing was written.");
      return result;
    }
  }

  std::size_t taken = 0;
  for (const WrittenByte& byte : step.bytes) {
    try {
      module_.WriteFieldValue(step.entry, byte.slot.position, undo ? byte.before : byte.after);
    } catch (const RomError& failure) {
      result.outcome = StepResult::Outcome::kFailed;
      result.message = std::string(failure.what()) + " Only " + std::to_string(taken) + " of the " +
                       std::to_string(step.bytes.size()) + " bytes of entry " + std::to_string(step.entry) +
                       (undo ? " were put back; Undo can take the rest later."
                             : " were written again; Redo can "
                               "write the rest later.");
      break;
    }
    ++taken;
  }
  history_.Took(direction, taken);
  if (result.outcome != StepResult::Outcome::kFailed) result.outcome = StepResult::Outcome::kDone;
  if (taken == 0) return result;

  // The entry is shown as the file now holds it.
  try {
    result.display = Show(step.entry);
  } catch (const RomError& failure) {
    result.message += (result.message.empty() ? "" : " ") + std::string(failure.what());
  }
  return result;
}

}  // namespace quorvane
