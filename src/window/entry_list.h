// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QListWidget>
#include <QPointer>
#include <QTimer>
#include <functional>

namespace quorvane {

// The list of door entries. Exactly one entry is highlighted once one has
// been picked: nothing the user does (Ctrl+click, Ctrl+Space, Ctrl+arrow)
// leaves it with none, or with the highlight on another entry than the
// current one, since the boxes show the current entry and Save writes it.
// Typing an entry's number goes to it (every label begins with "Entry", so
// the usual type-ahead on the labels would find nothing of use).
class EntryList : public QListWidget {
  Q_OBJECT

 public:
  explicit EntryList(QWidget* parent = nullptr);

  void keyboardSearch(const QString& search) override;
  // The colour of the highlighted entry while the keyboard is elsewhere.
  static QColor UnfocusedHighlight(const QPalette& palette);
  // While this says so (the shown entry has unsaved edits), a typed number
  // moves the list only once it is whole, after the pause that ends it, so
  // that the question about the edits is asked once, about the entry typed.
  void WaitForWholeNumbersWhile(std::function<bool()> condition) { wait_while_ = std::move(condition); }
  // Forgets the number typed so far, and a move to it that was waiting.
  void DropTypedNumber();
  // The pause that ends a typed number has passed: a move that was waiting
  // is made, and the next digit starts a new number.
  void TypingPaused();

  // While a mouse press is being handled: the widget that had the focus
  // before the press gave it to the list (the list itself if it had it).
  QWidget* FocusBeforePress() const { return focus_before_press_; }

 signals:
  // The user pressed the mouse on the entry that is already current: the
  // list itself raises no change for that.
  void currentEntryPressed();

 protected:
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event = nullptr) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void EndTypedNumber(bool move);

  QPointer<QWidget> focus_left_;  // the last widget that gave the focus up to the list
  bool focus_came_by_mouse_ = false;
  QPointer<QWidget> focus_before_press_;
  // The number typed so far, and when its last digit came.
  QString typed_number_;
  QElapsedTimer since_last_digit_;
  std::function<bool()> wait_while_;
  QTimer* whole_number_;
  int typed_row_ = -1;
};

}  // namespace quorvane
