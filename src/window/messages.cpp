// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/messages.h"

#include <algorithm>

#include "rom/entry_offsets.h"
#include "rom/hex_text.h"

namespace quorvane {
namespace {

QString Hex(std::uint64_t value) { return QString::number(value, 16).toUpper(); }

// A size as the tooltips give offsets, in hexadecimal, with the decimal
// size that file managers show beside it.
QString Size(std::uint64_t bytes) { return Messages::tr("%1 (%2) bytes").arg(Hex(bytes)).arg(bytes); }

// A field as the window shows it: "X:" high byte.
QString FieldName(const FieldSlot& slot) {
  return QStringLiteral("\"%1\" %2")
      .arg(QString::fromUtf8(slot.group_label.data(), static_cast<qsizetype>(slot.group_label.size())))
      .arg(QString::fromUtf8(slot.byte_name.data(), static_cast<qsizetype>(slot.byte_name.size())));
}

}  // namespace

QString Messages::ValueName(RecordValue value) {
  switch (value) {
    case RecordValue::kPointer:
      return tr("Text Pointer");
    case RecordValue::kX:
      return tr("X");
    case RecordValue::kY:
      return tr("Y");
    case RecordValue::kStyle:
      return tr("Style");
    case RecordValue::kUnknown:
      break;
  }
  return tr("Unknown");
}

Message Messages::SeemsHeaderless(const std::filesystem::path& path, std::uint64_t size) {
  return {.kind = Message::Kind::kSeemsHeaderless,
          .text = tr("\"%1\" seems to have no 512-byte copier header: it is %2 bytes long, a whole number of "
                     "kilobytes. Every offset here counts that header, so the bytes shown and saved would not be "
                     "its door records.\n\nOpen it anyway?")
                      .arg(Name(path))
                      .arg(size),
          .file = Name(path),
          .values = {QString::number(size)}};
}

Message Messages::HasEdits(std::int32_t entry, const std::filesystem::path& image) {
  return {.kind = Message::Kind::kHasEdits,
          .text = tr("Entry %1 has changes that have not been saved.\n\nSave them into \"%2\" first?")
                      .arg(entry)
                      .arg(Name(image)),
          .entry = entry,
          .file = Name(image)};
}

Message Messages::ChangedElsewhere(const SaveResult& result, const BoxTexts& texts,
                                   const std::filesystem::path& image) {
  Message question = NotSaved(result, texts, image);
  question.kind = Message::Kind::kChangedElsewhere;
  question.text +=
      tr("\n\nReload shows what the file holds now and drops your changes. Save Mine writes each value you "
         "changed (the pointer, X, Y or Style) whole, as the boxes show it, and keeps the other program's "
         "bytes everywhere else. Cancel leaves everything as it is.");
  return question;
}

Message Messages::ShowNewFile(std::int32_t entry, const std::filesystem::path& image) {
  return {.kind = Message::Kind::kShowNewFile,
          .text = tr("\"%1\" has been replaced by another file since entry %2 was shown (another program may have "
                     "rebuilt it), so your changes were not saved.\n\nShow New File reads entry %2 from the new "
                     "file and keeps your changes in the boxes, unsaved, for you to compare and save into it. The "
                     "Saves made so far were made into the old file, so Undo cannot take them back after that. "
                     "Cancel leaves everything as it is.")
                      .arg(Name(image))
                      .arg(entry),
          .entry = entry,
          .file = Name(image)};
}

QString Messages::EntryNumberPrompt() { return tr("Entry number (%1 to %2):").arg(kFirstEntry).arg(kLastEntry); }

Message Messages::Replaced(const std::filesystem::path& image) {
  return {.kind = Message::Kind::kReplaced,
          .text = tr("\"%1\" has been replaced by another file since it was opened. "
                     "The entry shown now is read from the new file.")
                      .arg(Name(image)),
          .file = Name(image)};
}

Message Messages::ChangedWhileAsked() {
  return {.kind = Message::Kind::kChangedWhileAsked,
          .text = tr("The boxes changed while the question about them was open, so your answer was not acted on: "
                     "nothing was saved or dropped. Look at what they hold now and try again.")};
}

Message Messages::NoSuchEntry(const QString& typed) {
  return {.kind = Message::Kind::kNoSuchEntry,
          .text = tr("\"%1\" is no entry: entries run from %2 to %3.").arg(typed).arg(kFirstEntry).arg(kLastEntry),
          .values = {typed}};
}

Message Messages::EditsSavedInstead(HistoryDirection direction, std::int32_t entry) {
  const QString text =
      (direction == HistoryDirection::kUndo
           ? tr("Your changes to entry %1 were saved, so that Save is now the one Undo takes back. Nothing was "
                "undone.")
           : tr("Your changes to entry %1 were saved; after a new Save there is nothing to redo. Nothing was "
                "redone."))
          .arg(entry);
  return {.kind = Message::Kind::kEditsSavedInstead, .text = text, .entry = entry};
}

Message Messages::NoPointerToCopy() {
  return {.kind = Message::Kind::kNoPointerToCopy,
          .text = tr("The pointer boxes do not each hold a byte (one or two hexadecimal digits), so there is no "
                     "pointer to copy. The clipboard is as it was.")};
}

Message Messages::NewFileUnfit(const RomFailure& failure) {
  Message message = Describe(failure);
  message.kind = Message::Kind::kNewFileUnfit;
  message.text += tr(" Nothing changed: your changes are still in the boxes.");
  return message;
}

Message Messages::NewFileShown(const std::filesystem::path& image) {
  return {.kind = Message::Kind::kNewFileShown,
          .text = tr("The entry is shown as the new file \"%1\" holds it, with your changes in the boxes you "
                     "edited. Nothing has been saved into it yet.")
                      .arg(Name(image)),
          .file = Name(image)};
}

Message Messages::PasteRefused(const QString& text) {
  return {.kind = Message::Kind::kPasteRefused, .text = PasteRefusal(text), .values = {text}};
}

QString Messages::PasteRefusal(const QString& text) {
  const QString digits = text.trimmed();
  const bool hex = IsHexText(digits);
  if (hex && digits.size() == ValueDigits(RecordValue::kPointer)) {
    return tr("\"%1\" is a whole text pointer: paste it into one of the \"Text Pointer:\" boxes, which it fills. "
              "This box holds one byte (two hexadecimal digits). Nothing was pasted.")
        .arg(text);
  }
  if (hex && digits.size() == ValueDigits(RecordValue::kX)) {
    return tr("\"%1\" is a whole X or Y: paste it into one of the \"X:\" or \"Y:\" boxes, which it fills. This "
              "box holds one byte (two hexadecimal digits). Nothing was pasted.")
        .arg(text);
  }
  return tr("\"%1\" is not a byte (two hexadecimal digits), a whole X or Y (four) or a whole text pointer (six, as "
            "Copy Pointer gives it), so it does not fit into this box, which holds one byte. Nothing was pasted.")
      .arg(text);
}

Message Messages::SearchStopped(const RomFailure& failure, bool edits) {
  Message message = Describe(failure);
  message.kind = Message::Kind::kSearchStopped;
  if (failure.fault != RomFault::kReplaced) {
    message.text += tr(" The search stopped; search again.");
  } else if (edits) {
    message.text +=
        tr(" Your changes are still in the boxes. The search goes on in the new file once the entry "
           "shown is read from it: choose File > Save, which offers to show the new file's entry with "
           "your changes kept, then search again.");
  } else {
    message.text += tr(" Pick an entry in the list to read it from the new file, then search again.");
  }
  return message;
}

QString Messages::Found(const SearchResult& result, RecordValue which, std::uint32_t value, bool forward, bool moved) {
  // "Text Pointer C3A05F", as the boxes show the value.
  const QString what = QStringLiteral("%1 %2").arg(ValueName(which), QString::fromStdString(FormatValue(which, value)));
  if (result.outcome != SearchResult::Outcome::kFound) return tr("No entry holds %1").arg(what);
  const auto index = std::find(result.matches.begin(), result.matches.end(), result.entry) - result.matches.begin();
  // The plural chosen here: no translation catalogue is loaded to choose it.
  QString found = result.matches.size() == 1
                      ? tr("Entry %1 is the only entry that holds %2").arg(result.entry).arg(what)
                      : tr("Entry %1: %2 of %3 entries hold %4")
                            .arg(result.entry)
                            .arg(index + 1)
                            .arg(result.matches.size())
                            .arg(what);
  if (moved && result.wrapped) found += forward ? tr(", on from Entry 1") : tr(", back from Entry 841");
  return found;
}

QString Messages::ValueLength(RecordValue which) {
  return tr("A %1 is %2 hexadecimal digits.").arg(ValueName(which)).arg(ValueDigits(which));
}

QString Messages::BoxDescription(std::int16_t position) {
  // Record bytes are counted from 0, as the README and hex editors count them.
  return tr("record byte %1 of 0 to %2").arg(position - 1).arg(kRecordLength - 1);
}

QString Messages::Edited(const QString& description) { return tr("%1, changed, not saved").arg(description); }

QString Messages::EntryTooltip(std::int32_t entry, std::uint32_t first, std::uint32_t last) {
  return tr("Entry %1: bytes %2\u2013%3").arg(entry).arg(Hex(first), Hex(last));
}

QString Messages::NoImageOpen() { return tr("No image is open: open one with File > Open (Ctrl+O)."); }

QString Messages::ImageStatus(const std::filesystem::path& path, bool writable) {
  return writable ? Name(path) : tr("%1 (read-only: Save cannot write to it)").arg(Name(path));
}

QString Messages::Name(const std::filesystem::path& path) { return QString::fromStdString(DisplayPath(path)); }

Message Messages::Describe(const RomFailure& failure) {
  Message message{.kind = Message::Kind::kFailure,
                  .text = FailureText(failure),
                  .entry = failure.entry,
                  .file = failure.path.empty() ? QString() : Name(failure.path),
                  .fault = failure.fault};
  if (failure.fault == RomFault::kOutsideFile) message.values.append(Hex(failure.offset));
  if (failure.size != 0) message.values.append(Hex(failure.size));
  return message;
}

QString Messages::FailureText(const RomFailure& failure) {
  const QString name = Name(failure.path);
  const QString reason = QString::fromStdString(failure.reason);
  const bool reading = failure.access == FileAccess::kRead;
  switch (failure.fault) {
    case RomFault::kNoImage:
      return tr("No image is open. Open one with File > Open.");
    case RomFault::kEntryOutOfRange:
      return tr("Entry number %1 is out of range: entries run from %2 to %3.")
          .arg(failure.entry)
          .arg(kFirstEntry)
          .arg(kLastEntry);
    case RomFault::kTableNotBuilt:
      return tr("The table of door record offsets has not been built.");
    case RomFault::kMissing:
      return tr("\"%1\" is no longer there: it has been deleted, moved or renamed since it was chosen. Put it back "
                "and try again, or open another image with File > Open.")
          .arg(name);
    case RomFault::kFolder:
      return tr("\"%1\" is a folder, not an image file. Open an image with File > Open.").arg(name);
    case RomFault::kNotRegular:
      return tr("\"%1\" is not a regular file (it may be a pipe or a device), so it holds no door records. Open an "
                "image file with File > Open.")
          .arg(name);
    case RomFault::kBusy:
      return tr("Another program is using \"%1\" and does not share it (%2). Close that program and try again.")
          .arg(name, reason);
    case RomFault::kCannotOpen:
      return (reading ? tr("Cannot open \"%1\" for reading: %2.") : tr("Cannot open \"%1\" for writing: %2."))
                 .arg(name, reason) +
             (reading ? QString() : tr(" If the file is read-only, make it writable and try again."));
    case RomFault::kTooShort:
      return tr("\"%1\" is too short to be an image with door records: it is %2 long, but the last record ends at "
                "offset %3, so an image is at least %4 long.")
          .arg(name, Size(failure.size), Hex(kMinimumImageSize - 1), Size(kMinimumImageSize));
    case RomFault::kBecameTooShort:
      return tr("\"%1\" has become too short to hold every door record since it was opened: it is now %2 long. "
                "Open it again once it is whole, or open another image.")
          .arg(name, Size(failure.size));
    case RomFault::kReplaced:
      return tr("\"%1\" has been replaced by another file since it was opened.").arg(name);
    case RomFault::kReplacedHeaderless:
      return tr("\"%1\" has been replaced by another file since it was opened, one of %2 bytes, a whole number of "
                "kilobytes: it seems to have no 512-byte copier header, so it is not read as the image. Open it with "
                "File > Open to be asked about it.")
          .arg(name)
          .arg(failure.size);
    case RomFault::kOutsideFile:
      return tr("The byte at offset %1 lies outside \"%2\", which is only %3 long: the file is too short to be a "
                "complete image.")
          .arg(Hex(failure.offset), name, Size(failure.size));
    case RomFault::kReadFailed:
      return tr("Cannot read from \"%1\": %2.").arg(name, reason);
    case RomFault::kWriteFailed:
      return tr("Cannot write to \"%1\": %2.").arg(name, reason.isEmpty() ? tr("nothing was written") : reason);
    case RomFault::kFlushFailed:
      return tr("A byte was written into \"%1\", but the system could not confirm that it reached the disk: %2.")
          .arg(name, reason);
    case RomFault::kCloseFailed:
      return (reading ? tr("Cannot finish reading \"%1\": %2.") : tr("Cannot finish writing \"%1\": %2."))
          .arg(name, reason);
  }
  return {};
}

Message Messages::Unforeseen(const std::exception& failure) {
  return {.kind = Message::Kind::kFailure, .text = QString::fromLocal8Bit(failure.what())};
}

Message Messages::NotShown(const RomFailure& failure) {
  Message message = Describe(failure);
  message.kind = Message::Kind::kNotShown;
  message.text += tr(" The boxes stay empty until an entry can be read.");
  return message;
}

Message Messages::NotSaved(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image) {
  Message message = result.failure ? Describe(*result.failure) : Message{};
  message.kind = Message::Kind::kNotSaved;
  message.text = NotSavedText(result, texts, image);
  message.entry = result.entry;
  message.box = result.box;
  if (result.outcome == SaveResult::Outcome::kBoxAtFault) {
    message.values = {QString::fromStdString(texts.at(IndexOfBox(result.box)))};
  }
  for (const ChangedByte& change : result.changes) {
    message.values << QString::fromStdString(FormatByteText(change.shown))
                   << QString::fromStdString(FormatByteText(change.now));
  }
  if (result.outcome == SaveResult::Outcome::kChangedElsewhere) message.file = Name(image);
  if (result.outcome == SaveResult::Outcome::kNoImage) message.fault = RomFault::kNoImage;
  if (result.outcome == SaveResult::Outcome::kFailed) {
    message.values << QString::number(result.written.size()) << QString::number(result.to_write);
  }
  return message;
}

QString Messages::NotSavedText(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image) {
  using Outcome = SaveResult::Outcome;
  switch (result.outcome) {
    case Outcome::kSaved:
      return {};
    case Outcome::kNoImage:
      return tr("No image is open, so there is nothing to save. Open one with File > Open.");
    case Outcome::kNoEntry:
      return tr("No entry is shown, so there is nothing to save. Pick one in the list.");
    case Outcome::kBoxAtFault: {
      const QString text = QString::fromStdString(texts.at(IndexOfBox(result.box)));
      return tr("The %1 holds %2, which is not a byte: type one or two hexadecimal digits (0-9, A-F). "
                "Nothing was saved.")
          .arg(FieldName(SlotOfBox(result.box)), text.isEmpty() ? tr("nothing") : "\"" + text + "\"");
    }
    case Outcome::kChangedElsewhere: {
      QString message =
          (result.changed_since_told ? tr("Another program has changed entry %1 in \"%2\" again since you were told:")
                                     : tr("Another program has changed entry %1 in \"%2\" since it was shown:"))
              .arg(result.entry)
              .arg(Name(image));
      for (const ChangedByte& change : result.changes) {
        message += tr("\n%1: %2 is now %3")
                       .arg(FieldName(change.slot), QString::fromStdString(FormatByteText(change.shown)),
                            QString::fromStdString(FormatByteText(change.now)));
      }
      return message;
    }
    case Outcome::kOtherDisplay:
      return tr("Entry %1 has been shown anew since these texts were typed into its boxes, so they were not saved "
                "over what it shows now. Nothing was saved.")
          .arg(result.entry);
    case Outcome::kFailed:
      break;
  }
  const QString what = result.failure ? FailureText(*result.failure) : QString();
  if (result.unconfirmed) {
    return what + tr(" The byte is in the file and counts as saved; Undo can take it back. ") +
           (result.written.size() < result.to_write
                ? tr("%1 of the %2 changed bytes were written; the others are still shown as changes.")
                      .arg(result.written.size())
                      .arg(result.to_write)
                : tr("Every changed byte was written."));
  }
  if (result.to_write == 0) return what + tr(" There was nothing to save, and the entry could not be read again.");
  if (result.written.empty()) {
    return what + tr(" Nothing was saved; your changes are still in the boxes.");
  }
  if (result.written.size() < result.to_write) {
    return what + tr(" Only %1 of the %2 changed bytes were saved; the others are still shown as changes.")
                      .arg(result.written.size())
                      .arg(result.to_write);
  }
  return what + tr(" The changes were saved, but the entry could not be read back.");
}

Message Messages::NotTaken(const EditingSession::StepResult& result, HistoryDirection direction) {
  Message message = result.failure ? Describe(*result.failure) : Message{};
  message.kind = Message::Kind::kNotTaken;
  message.text = NotTakenText(result, direction);
  message.entry = result.entry;
  if (result.changed) {
    message.box = result.changed->slot.box;
    message.values = {QString::fromStdString(FormatByteText(result.changed->shown)),
                      QString::fromStdString(FormatByteText(result.changed->now))};
  } else if (result.outcome == EditingSession::StepResult::Outcome::kFailed) {
    message.values << QString::number(result.taken) << QString::number(result.total);
  }
  return message;
}

QString Messages::NotTakenText(const EditingSession::StepResult& result, HistoryDirection direction) {
  const bool undo = direction == HistoryDirection::kUndo;
  const QString step =
      (undo ? tr("The Save of entry %1 cannot be undone") : tr("The Save of entry %1 cannot be redone"))
          .arg(result.entry);
  using Outcome = EditingSession::StepResult::Outcome;
  switch (result.outcome) {
    case Outcome::kDone:
    case Outcome::kNothing:
      return {};
    case Outcome::kUnsettled:
      return step + tr(" while the boxes hold changes that have not been saved. Nothing was written.");
    case Outcome::kRefused:
      if (result.changed) {
        return step + tr(": another program has changed its %1 since, from %2 to %3. Nothing was written.")
                          .arg(FieldName(result.changed->slot),
                               QString::fromStdString(FormatByteText(result.changed->shown)),
                               QString::fromStdString(FormatByteText(result.changed->now)));
      }
      return step + ": " + (result.failure ? FailureText(*result.failure) : QString()) + tr(" Nothing was written.");
    case Outcome::kOtherDisplay:
      return step +
             tr(" from boxes that no longer show what the file held when they were filled. Nothing was written.");
    case Outcome::kFailed:
      break;
  }
  const QString what = result.failure ? FailureText(*result.failure) : QString();
  const QString unconfirmed = result.unconfirmed ? tr(" That last byte is in the file and counts as written.") : "";
  if (result.taken == result.total) return what + unconfirmed;
  if (result.taken == 0) return what + unconfirmed + tr(" Nothing was written.");
  return what + unconfirmed +
         (undo ? tr(" Only %1 of the %2 bytes of entry %3 were put back; Undo can take the rest later.")
               : tr(" Only %1 of the %2 bytes of entry %3 were written again; Redo can write the rest later."))
             .arg(result.taken)
             .arg(result.total)
             .arg(result.entry);
}

QString Messages::SaveSummary(const SaveResult& result) {
  const std::size_t written = result.written.size();
  if (result.outcome == SaveResult::Outcome::kSaved && written == 0) {
    return tr("Nothing to save in Entry %1").arg(result.entry);
  }
  if (written == 0) return tr("Nothing was saved");
  if (written < result.to_write)
    return tr("Saved %1 of %2 bytes into Entry %3").arg(written).arg(result.to_write).arg(result.entry);
  return written == 1 ? tr("Saved 1 byte into Entry %1").arg(result.entry)
                      : tr("Saved %1 bytes into Entry %2").arg(written).arg(result.entry);
}

QString Messages::StepSummary(const EditingSession::StepResult& result, HistoryDirection direction) {
  const bool undo = direction == HistoryDirection::kUndo;
  using Outcome = EditingSession::StepResult::Outcome;
  if (result.outcome == Outcome::kNothing) return {};
  if (result.outcome == Outcome::kDone) {
    return (undo ? tr("Undid the Save of Entry %1") : tr("Redid the Save of Entry %1")).arg(result.entry);
  }
  if (result.taken > 0) {
    return (undo ? tr("Undid %1 of the %2 bytes of the Save of Entry %3")
                 : tr("Redid %1 of the %2 bytes of the Save of Entry %3"))
        .arg(result.taken)
        .arg(result.total)
        .arg(result.entry);
  }
  return (undo ? tr("Nothing was undone") : tr("Nothing was redone"));
}

QString Messages::StepCaption(HistoryDirection direction, std::int32_t entry) {
  const bool undo = direction == HistoryDirection::kUndo;
  if (entry == 0) return undo ? tr("&Undo") : tr("&Redo");
  return (undo ? tr("&Undo Save of Entry %1") : tr("&Redo Save of Entry %1")).arg(entry);
}

}  // namespace quorvane
