// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <chrono>

#include "window/plain_message_box.h"

namespace quorvane {

// A question about the user's work that typing cannot answer. It opens
// while the user may still be typing into a box or into the list, so:
// - a plain key (a letter, a digit, Space, Tab, an arrow) does nothing;
//   only Enter (the default answer), Escape (the escape answer), and the
//   answers' access keys with Alt choose;
// - no key at all is taken until the question has been on screen for
//   kSettleTime, so that keys already on their way when it opens are not
//   read as an answer to a question never seen.
// Ctrl+C still copies its text.
class QuestionBox : public PlainMessageBox {
  Q_OBJECT

 public:
  static constexpr std::chrono::milliseconds kSettleTime{250};

  QuestionBox(QMessageBox::Icon icon, const QString& text, QWidget* parent);
  ~QuestionBox() override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TakesKey(const QKeyEvent& key) const;

  QElapsedTimer shown_;
};

}  // namespace quorvane
