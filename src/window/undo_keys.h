// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>

class QAction;

namespace quorvane {

// The Undo and Redo keys (Ctrl+Z and the platform's Redo keys), which a
// text box claims for its own typing. In a box that has something of its
// own to take back (or make again), they go to the box. Otherwise they take
// back or make again a Save, but only while the shown entry has no unsaved
// edits; while it has some, they do nothing: a key meant for typing never
// takes a Save off the disk, nor writes one again. (Edit > Undo and Redo,
// chosen in the menu, ask about the edits instead.)
class UndoKeys : public QObject {
  Q_OBJECT

 public:
  UndoKeys(std::function<bool()> has_edits, std::function<bool(const QWidget* box, bool redo)> box_takes,
           QObject* parent);
  // Boxes whose own undo gives way to the window's while there are no edits.
  void Watch(QWidget* box);
  // The window's Undo and Redo, whose keys do nothing while there are edits.
  void Guard(QAction* action);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::function<bool()> has_edits_;
  std::function<bool(const QWidget* box, bool redo)> box_takes_;
};

}  // namespace quorvane
