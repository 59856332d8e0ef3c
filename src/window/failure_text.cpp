// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/failure_text.h"

#include "rom/entry_offsets.h"
#include "rom/hex_text.h"

namespace quorvane {
namespace {

QString Hex(std::uint64_t value) { return QString::number(value, 16).toUpper(); }

// A size as the tooltips give offsets, in hexadecimal, with the decimal
// size that file managers show beside it.
QString Size(std::uint64_t bytes) { return FailureText::tr("%1 (%2) bytes").arg(Hex(bytes)).arg(bytes); }

// A field as the window shows it: "X:" high byte.
QString FieldName(const FieldSlot& slot) {
  return QStringLiteral("\"%1\" %2")
      .arg(QString::fromUtf8(slot.group_label.data(), static_cast<qsizetype>(slot.group_label.size())))
      .arg(QString::fromUtf8(slot.byte_name.data(), static_cast<qsizetype>(slot.byte_name.size())));
}

}  // namespace

QString FailureText::ValueName(RecordValue value) {
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

QString FailureText::Name(const std::filesystem::path& path) { return QString::fromStdString(DisplayPath(path)); }

QString FailureText::Describe(const RomFailure& failure) {
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
             (reading ? QString() : tr(" If the file is read-only, make it writable and save again."));
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

QString FailureText::NotShown(const RomFailure& failure) {
  return Describe(failure) + tr(" The boxes stay empty until an entry can be read.");
}

QString FailureText::NotSaved(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image) {
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
          tr("Another program has changed entry %1 in \"%2\" since it was shown:").arg(result.entry).arg(Name(image));
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
  const QString what = result.failure ? Describe(*result.failure) : QString();
  if (result.unconfirmed) {
    return what + tr(" The byte is in the file and counts as saved; Undo can take it back. ") +
           (result.written.size() < result.to_write
                ? tr("%1 of the %2 changed bytes were written; the others are still shown as changes.")
                      .arg(result.written.size())
                      .arg(result.to_write)
                : tr("Every changed byte was written."));
  }
  if (result.written.empty()) {
    const bool replaced = result.failure && result.failure->fault == RomFault::kReplaced;
    return what + tr(" Nothing was saved; your changes are still in the boxes.") +
           (replaced ? tr(" To see what the new file holds, pick the entry in the list again and choose Don't Save.")
                     : QString());
  }
  if (result.written.size() < result.to_write) {
    return what + tr(" Only %1 of the %2 changed bytes were saved; the others are still shown as changes.")
                      .arg(result.written.size())
                      .arg(result.to_write);
  }
  return what + tr(" The changes were saved, but the entry could not be read back.");
}

QString FailureText::NotTaken(const EditingSession::StepResult& result, HistoryDirection direction) {
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
      return step + ": " + (result.failure ? Describe(*result.failure) : QString()) + tr(" Nothing was written.");
    case Outcome::kOtherDisplay:
      return step +
             tr(" from boxes that no longer show what the file held when they were filled. Nothing was written.");
    case Outcome::kFailed:
      break;
  }
  const QString what = result.failure ? Describe(*result.failure) : QString();
  const QString unconfirmed = result.unconfirmed ? tr(" That last byte is in the file and counts as written.") : "";
  if (result.taken == result.total) return what + unconfirmed;
  return what + unconfirmed +
         (undo ? tr(" Only %1 of the %2 bytes of entry %3 were put back; Undo can take the rest later.")
               : tr(" Only %1 of the %2 bytes of entry %3 were written again; Redo can write the rest later."))
             .arg(result.taken)
             .arg(result.total)
             .arg(result.entry);
}

QString FailureText::SaveSummary(const SaveResult& result) {
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

QString FailureText::StepSummary(const EditingSession::StepResult& result, HistoryDirection direction) {
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

QString FailureText::StepCaption(HistoryDirection direction, std::int32_t entry) {
  const bool undo = direction == HistoryDirection::kUndo;
  if (entry == 0) return undo ? tr("&Undo") : tr("&Redo");
  return (undo ? tr("&Undo Save of Entry %1") : tr("&Redo Save of Entry %1")).arg(entry);
}

}  // namespace quorvane
