// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "window/messages.h"

class QWidget;

namespace quorvane {

// The file chooser of the window. Seen through this interface so that the
// window can be driven without modal dialogs.
class FileChooser {
 public:
  virtual ~FileChooser() = default;
  // The chosen file name, or nullopt when the user cancels.
  virtual std::optional<QString> ShowOpen(QWidget* parent, const QString& title, const QString& filter) = 0;
};

// What the window tells the user and asks of them. Every text is plain
// text: a file name is shown as it is written, never read as markup.
class Notifier {
 public:
  enum class EditsAnswer { kSave, kDiscard, kCancel };

  virtual ~Notifier() = default;
  virtual void Warn(QWidget* parent, const Message& message) = 0;
  // The shown entry has edits that something is about to throw away.
  virtual EditsAnswer AskAboutEdits(QWidget* parent, const Message& question) = 0;
  // Another program changed the shown entry in the file since it was shown.
  enum class ChangedElsewhereAnswer { kReload, kSaveMine, kCancel };
  virtual ChangedElsewhereAnswer AskAboutChangesElsewhere(QWidget* parent, const Message& question) = 0;
  // A chosen image looks wrong; true to open it all the same. Cancel is
  // the default answer.
  virtual bool AskToOpenAnyway(QWidget* parent, const Message& question) = 0;
  // A Save found the image replaced by another file; true to show the new
  // file's entry with the edits kept. Cancel is the default answer.
  virtual bool AskToShowNewFile(QWidget* parent, const Message& question) = 0;
  // Edit > Go to Entry: what the user typed, or nullopt for Cancel.
  virtual std::optional<QString> AskEntryNumber(QWidget* parent, const QString& prompt) = 0;
};

// The real ones: the toolkit's file dialog and message boxes.
class DialogFileChooser : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget* parent, const QString& title, const QString& filter) override;
};

class MessageBoxNotifier : public Notifier {
 public:
  void Warn(QWidget* parent, const Message& message) override;
  EditsAnswer AskAboutEdits(QWidget* parent, const Message& question) override;
  ChangedElsewhereAnswer AskAboutChangesElsewhere(QWidget* parent, const Message& question) override;
  bool AskToOpenAnyway(QWidget* parent, const Message& question) override;
  bool AskToShowNewFile(QWidget* parent, const Message& question) override;
  std::optional<QString> AskEntryNumber(QWidget* parent, const QString& prompt) override;

 private:
  // A question with one answer besides Cancel, which is the default.
  static bool AskOrCancel(QWidget* parent, const Message& question, const QString& answer);
};

}  // namespace quorvane
