// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>
#include <QString>
#include <filesystem>

#include "rom/editing_session.h"
#include "rom/rom_error.h"

namespace quorvane {

// The words for what the editing session reports: what failed, and what
// the user can do about it.
class FailureText {
  Q_DECLARE_TR_FUNCTIONS(FailureText)

 public:
  // A value's name as the window shows it ("Text Pointer").
  static QString ValueName(RecordValue value);
  // A file's name as messages show it, as the user's system writes it.
  static QString Name(const std::filesystem::path& path);
  // What failed, with a way on where the way on is the same whatever the
  // user was doing.
  static QString Describe(const RomFailure& failure);
  // An entry that could not be shown: the boxes are empty until one is.
  static QString NotShown(const RomFailure& failure);
  // A Save that did not end with every edit in the file; `texts` are the
  // boxes' texts it was given.
  static QString NotSaved(const SaveResult& result, const BoxTexts& texts, const std::filesystem::path& image);
  // An Undo or Redo that was refused, or failed part of the way.
  static QString NotTaken(const EditingSession::StepResult& result, HistoryDirection direction);
  // What a Save did, in a few words for the status line.
  static QString SaveSummary(const SaveResult& result);
  // What an Undo or Redo did, in a few words for the status line.
  static QString StepSummary(const EditingSession::StepResult& result, HistoryDirection direction);
  // The Edit menu's item for Undo or Redo: it names the step, if there is one.
  static QString StepCaption(HistoryDirection direction, std::int32_t entry);
};

}  // namespace quorvane
