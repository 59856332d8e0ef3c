// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/eliding_label.h"

#include <QFontMetricsF>
#include <QtMath>

namespace quorvane {

ElidingLabel::ElidingLabel(QWidget* parent) : QLabel(parent) { setTextFormat(Qt::PlainText); }

void ElidingLabel::SetWords(const QString& words) {
  words_ = words;
  setToolTip(words);
  setAccessibleName(words);
  updateGeometry();
  ShowWhatFits();
}

QSize ElidingLabel::sizeHint() const {
  if (wordWrap()) return QLabel::sizeHint();
  const QMargins margins = contentsMargins();
  // Rounded up: the width rounded to the nearest pixel may be a fraction
  // short of the words, and they would lose their last letters to "…".
  const int words = qCeil(QFontMetricsF(font()).horizontalAdvance(words_));
  return {words + margins.left() + margins.right() + 2 * margin(), QLabel::sizeHint().height()};
}

QSize ElidingLabel::minimumSizeHint() const {
  if (wordWrap()) return QLabel::minimumSizeHint();
  return {fontMetrics().horizontalAdvance(QStringLiteral("\u2026")), QLabel::minimumSizeHint().height()};
}

void ElidingLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  ShowWhatFits();
}

void ElidingLabel::ShowWhatFits() {
  setText(wordWrap() ? words_
                     : fontMetrics().elidedText(words_, Qt::ElideRight, contentsRect().width() - 2 * margin()));
}

}  // namespace quorvane
