// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>

#include "window/plain_message_box.h"

namespace quorvane {

// A question about the user's work that typing cannot answer. It opens
// while the user may still be typing into a box or into the list, so:
// - no key at all is taken until the question has been on screen for
//   kSettleTime, so that keys already on their way when it opens are not
//   read as an answer to a question never seen;
// - then Enter takes the answer with the focus (at first the default one),
//   Escape the escape answer, and Alt with an answer's access key that
//   answer; Tab, Shift+Tab and the arrow keys move the focus between the
//   answers, and a screen reader names each as it gets the focus;
// - Space takes the answer with the focus only once the user has moved the
//   focus; until then it does nothing, as letters and digits never do.
// Ctrl+C still copies its text.
class QuestionBox : public PlainMessageBox {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kSettleTime{250};

  QuestionBox(QMessageBox::Icon icon, const QString& text, QWidget* parent);
  ~QuestionBox() override;

  // Whether the question has been on screen long enough to take keys.
  bool IsSettled() const { return settled_; }

 signals:
  void settled();

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TakesKey(const QKeyEvent& key);

  bool settled_ = false;
  bool focus_moved_ = false;
};

}  // namespace quorvane
