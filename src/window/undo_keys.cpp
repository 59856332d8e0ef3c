// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/undo_keys.h"

#include <QAction>
#include <QKeyEvent>
#include <QWidget>

namespace quorvane {

UndoKeys::UndoKeys(std::function<bool()> has_edits, std::function<bool(const QWidget* box, bool redo)> box_takes,
                   QObject* parent)
    : QObject(parent), has_edits_(std::move(has_edits)), box_takes_(std::move(box_takes)) {}

void UndoKeys::Watch(QWidget* box) { box->installEventFilter(this); }

void UndoKeys::Guard(QAction* action) { action->installEventFilter(this); }

bool UndoKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const bool undo = key->matches(QKeySequence::Undo);
    const bool redo = key->matches(QKeySequence::Redo);
    if ((undo || redo) && !box_takes_(qobject_cast<QWidget*>(watched), redo) && !has_edits_()) {
      // Left unaccepted, the key goes to the window's shortcut, not the box.
      event->ignore();
      return true;
    }
  }
  // A key on its way to the window's Undo or Redo while there are edits.
  if (event->type() == QEvent::Shortcut && qobject_cast<QAction*>(watched) != nullptr) return has_edits_();
  return QObject::eventFilter(watched, event);
}

}  // namespace quorvane
