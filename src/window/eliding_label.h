// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace quorvane {

// A label whose words are plain text. On one line it shows as much of them
// as fits, ending in "…" where they do not all fit (never cut mid-letter),
// and never makes its window wider to fit them; wrapping, it shows them
// all. Its whole words are always its tooltip and its accessible name.
class ElidingLabel : public QLabel {
  Q_OBJECT

 public:
  explicit ElidingLabel(QWidget* parent);
  void SetWords(const QString& words);
  const QString& Words() const { return words_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ShowWhatFits();

  QString words_;
};

}  // namespace quorvane
