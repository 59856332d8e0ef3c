// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "rom/editing_session.h"
#include "rom/rom_error.h"

namespace quorvane {

// A message or question for the user: what kind it is, the facts it gives,
// and its words. The facts are kept beside the words so that what acts on a
// message need not read its sentence.
struct Message {
  Q_GADGET

 public:
  enum class Kind {
    kFailure,            // something failed: the fault, the file
    kNotShown,           // an entry could not be read: the boxes stay empty
    kNotSaved,           // a Save left edits unsaved, or some of them
    kNotTaken,           // an Undo or Redo was refused or went part of the way
    kEditsSavedInstead,  // Undo or Redo whose question's Save became the last step
    kReplaced,           // the image was replaced; the new file is shown
    kChangedWhileAsked,  // the boxes changed while a question was open
    kNoSuchEntry,        // Go to Entry with no entry's number
    kNoPointerToCopy,
    kPasteRefused,
    kSearchStopped,
    // The questions.
    kHasEdits,
    kChangedElsewhere,
    kSeemsHeaderless,
    kShowNewFile,  // a Save found the image replaced: show the new file's entry, edits kept?
    // The new file a user chose to be shown: it cannot serve, nothing changed; or shown, edits kept.
    kNewFileUnfit,
    kNewFileShown,
  };
  Q_ENUM(Kind)

  Kind kind = Kind::kFailure;
  QString text{};
  std::int32_t entry = 0;           // the entry it is about
  std::int32_t box = 0;             // the box it points at
  QString file{};                   // the file it names, as it names it
  std::optional<RomFault> fault{};  // what failed
  QStringList values{};             // values, bytes and counts, in the order the words give them
};

// Every message, question and status summary that the window composes:
// what the editing session reports, what failed and what the user can do
// about it, and what the user is asked. (The system's own captions and
// labels stay where their controls are made.)
class Messages {
  Q_DECLARE_TR_FUNCTIONS(Messages)

 public:
  // A value's name as the window shows it ("Text Pointer").
  static QString ValueName(RecordValue value);
  // A file's name as messages show it, as the user's system writes it.
  static QString Name(const std::filesystem::path& path);
  // What failed, with a way on where the way on is the same whatever the
  // user was doing.
  static Message Describe(const RomFailure& failure);
  // An entry that could not be shown: the boxes are empty until one is.
  static Message NotShown(const RomFailure& failure);
  // A Save that did not end with every edit in the file; `texts` are the
  // boxes' texts it was given.
  static Message NotSaved(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image);
  // An Undo or Redo that was refused, or failed part of the way.
  static Message NotTaken(const EditingSession::StepResult& result, HistoryDirection direction);
  // What a Save did, in a few words for the status line.
  static QString SaveSummary(const SaveResult& result);
  // What an Undo or Redo did, in a few words for the status line.
  static QString StepSummary(const EditingSession::StepResult& result, HistoryDirection direction);
  // The Edit menu's item for Undo or Redo: it names the step, if there is one.
  static QString StepCaption(HistoryDirection direction, std::int32_t entry);

  // The questions.
  static Message SeemsHeaderless(const std::filesystem::path& path, std::uint64_t size);
  static Message HasEdits(std::int32_t entry, const std::filesystem::path& image);
  static Message ChangedElsewhere(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image);
  static QString EntryNumberPrompt();
  static Message ShowNewFile(std::int32_t entry, const std::filesystem::path& image);

  // What the window tells the user.
  static Message Replaced(const std::filesystem::path& image);
  static Message ChangedWhileAsked();
  static Message NoSuchEntry(const QString& typed);
  // Edit > Undo or Redo, whose question's Save became the last step.
  static Message EditsSavedInstead(HistoryDirection direction, std::int32_t entry);
  static Message NoPointerToCopy();
  static Message NewFileUnfit(const RomFailure& failure);
  static Message NewFileShown(const std::filesystem::path& image);
  // A paste a box cannot take whole: what the text is, and where it fits.
  static Message PasteRefused(const QString& text);

  // A search: why it stopped, what it found, and a value of the wrong length.
  // `edits`: the boxes hold edits, which a way on must not drop unasked.
  static Message SearchStopped(const RomFailure& failure, bool edits);
  // What the toolkit or the system threw that the editor did not foresee.
  static Message Unforeseen(const std::exception& failure);
  static QString Found(const SearchResult& result, RecordValue which, std::uint32_t value, bool forward, bool moved);
  static QString ValueLength(RecordValue which);

  // What assistive software is told of a box, and of an edited one; an
  // entry's tooltip, which names the bytes its record takes.
  static QString BoxDescription(std::int16_t position);
  static QString Edited(const QString& description);
  static QString EntryTooltip(std::int32_t entry, std::uint32_t first, std::uint32_t last);

  // The status line's part about the image.
  static QString NoImageOpen();
  static QString ImageStatus(const std::filesystem::path& path, bool writable);

 private:
  static QString FailureText(const RomFailure& failure);
  static QString NotSavedText(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image);
  static QString NotTakenText(const EditingSession::StepResult& result, HistoryDirection direction);
  static QString PasteRefusal(const QString& text);
};

}  // namespace quorvane
