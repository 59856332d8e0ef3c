// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

#include "window/user_interaction.h"

class QWidget;

namespace quorvane {

// The one door through which the window opens a dialog: a question, a
// message, the Go to Entry prompt or the Open dialog. A dialog runs an
// event loop of its own, and while it is open nothing else of the window
// may act, or the user's answer would be about something no longer there:
// - whatever the window had waiting to act (the list's typed number) is
//   dropped as the dialog opens (`on_opening`);
// - input that reaches the window or its find window anyway (the platform's
//   modality keeps most of it away, not all) goes nowhere;
// - the window's commands ask IsOpen() and do nothing while it says so.
class DialogGate : public QObject, public FileChooser, public Notifier {
  Q_OBJECT

 public:
  DialogGate(QWidget* window, FileChooser& chooser, Notifier& notifier);
  ~DialogGate() override;

  void OnOpening(std::function<void()> on_opening) { on_opening_ = std::move(on_opening); }
  bool IsOpen() const { return open_ > 0; }
  // How many dialogs have been opened so far: a command that went through
  // another can tell whether a question was asked on the way.
  int Opened() const { return opened_; }

  std::optional<QString> ShowOpen(QWidget* parent, const QString& title, const QString& filter) override;
  void Warn(QWidget* parent, const Message& message) override;
  EditsAnswer AskAboutEdits(QWidget* parent, const Message& question) override;
  ChangedElsewhereAnswer AskAboutChangesElsewhere(QWidget* parent, const Message& question) override;
  bool AskToOpenAnyway(QWidget* parent, const Message& question) override;
  bool AskToShowNewFile(QWidget* parent, const Message& question) override;
  std::optional<QString> AskEntryNumber(QWidget* parent, const QString& prompt) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  template <typename Dialog>
  auto Through(const Dialog& dialog);
  // Whether input to this widget would reach the window or its find window.
  bool IsWindows(const QWidget& widget) const;

  QWidget* window_;
  FileChooser& chooser_;
  Notifier& notifier_;
  std::function<void()> on_opening_;
  int open_ = 0;
  int opened_ = 0;
};

}  // namespace quorvane
