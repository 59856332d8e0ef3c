// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/entry_list.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

namespace quorvane {

namespace {

// Draws the current entry with the style's focus marking whenever the list
// has the focus, not only once the keyboard has moved it, so that the list
// shows it has the focus as the boxes do.
class FocusMarkingDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem marked(option);
    if ((marked.state & QStyle::State_HasFocus) != 0) marked.state |= QStyle::State_KeyboardFocusChange;
    QStyledItemDelegate::paint(painter, marked, index);
  }
};

}  // namespace

EntryList::EntryList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new FocusMarkingDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  whole_number_ = new QTimer(this);
  whole_number_->setSingleShot(true);
  connect(whole_number_, &QTimer::timeout, this, [this] { EndTypedNumber(true); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (now == this) focus_left_ = old;
  });
}

void EntryList::focusInEvent(QFocusEvent* event) {
  // A press gives the list the focus before the press itself arrives.
  focus_came_by_mouse_ = event->reason() == Qt::MouseFocusReason;
  QListWidget::focusInEvent(event);
  // Assistive software hears of the list itself taking the focus only after
  // this, and a screen reader would then name the list but not the entry
  // shown; tell it which entry is current once that is through.
  QTimer::singleShot(0, this, [this] {
    if (!hasFocus() || currentRow() < 0) return;
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(currentRow());
    QAccessible::updateAccessibility(&focus);
  });
}

QItemSelectionModel::SelectionFlags EntryList::selectionCommand(const QModelIndex& index, const QEvent*) const {
  // Whatever the modifiers, an entry that becomes current is the one
  // highlighted, and a highlighted entry stays highlighted.
  if (!index.isValid()) return QItemSelectionModel::NoUpdate;
  return QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
}

void EntryList::mousePressEvent(QMouseEvent* event) {
  const QModelIndex pressed = indexAt(event->position().toPoint());
  const bool on_current = pressed.isValid() && pressed == currentIndex();
  focus_before_press_ = focus_came_by_mouse_ ? focus_left_ : QPointer<QWidget>(this);
  focus_came_by_mouse_ = false;
  QListWidget::mousePressEvent(event);
  // Still within the press, so that whoever handles it knows where the
  // focus was.
  if (on_current && event->button() == Qt::LeftButton) emit currentEntryPressed();
  focus_before_press_ = nullptr;
}

void EntryList::DropTypedNumber() {
  whole_number_->stop();
  typed_number_.clear();
  since_last_digit_.invalidate();
}

void EntryList::TypingPaused() { EndTypedNumber(whole_number_->isActive()); }

void EntryList::EndTypedNumber(bool move) {
  const int row = typed_row_;
  DropTypedNumber();
  if (move) setCurrentRow(row);
}

void EntryList::keyboardSearch(const QString& search) {
  // Letters and other keys find nothing and change nothing.
  const bool digits =
      !search.isEmpty() && std::all_of(search.begin(), search.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
  if (!digits) return;
  // As with type-ahead, a pause starts a new number.
  if (!since_last_digit_.isValid() || since_last_digit_.elapsed() > QApplication::keyboardInputInterval()) {
    typed_number_.clear();
  }
  since_last_digit_.start();
  typed_number_ += search;
  bool is_number = false;
  const int entry = typed_number_.toInt(&is_number);
  // A number no entry has goes nowhere.
  if (!is_number || entry < 1 || entry > count()) return;
  typed_row_ = entry - 1;
  if (wait_while_ && wait_while_()) {
    whole_number_->start(QApplication::keyboardInputInterval());
  } else {
    setCurrentRow(typed_row_);
  }
}

}  // namespace quorvane
