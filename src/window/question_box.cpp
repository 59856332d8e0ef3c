// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/question_box.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTimer>

namespace quorvane {

QuestionBox::QuestionBox(QMessageBox::Icon icon, const QString& text, QWidget* parent)
    : PlainMessageBox(icon, text, parent) {
  // Keys go to whichever of the box's buttons has the focus, and shortcuts
  // are looked up before any widget sees a key: only the application sees
  // them all first.
  qApp->installEventFilter(this);
}

QuestionBox::~QuestionBox() { qApp->removeEventFilter(this); }

void QuestionBox::showEvent(QShowEvent* event) {
  PlainMessageBox::showEvent(event);
  if (settled_) return;
  QTimer::singleShot(kSettleTime, this, [this] {
    settled_ = true;
    emit settled();
  });
}

bool QuestionBox::TakesKey(const QKeyEvent& key) {
  if (!settled_) return false;
  if (key.modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) return true;
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
      return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      focus_moved_ = true;
      return true;
    case Qt::Key_Space:
      return focus_moved_;
    default:
      return false;
  }
}

bool QuestionBox::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::ShortcutOverride) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || (widget != this && !isAncestorOf(widget))) return false;
  if (TakesKey(*static_cast<QKeyEvent*>(event))) return false;
  // Accepting the override keeps the key from any shortcut; the key itself
  // then goes no further either.
  event->accept();
  return true;
}

}  // namespace quorvane
