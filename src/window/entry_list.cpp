// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/entry_list.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTimer>
#include <algorithm>

#include "window/palette_tint.h"

namespace quorvane {

namespace {

// Shows whether the list has the keyboard focus. The highlighted entry is
// filled with the active highlight while it has, and with a muted colour of
// the list's own while it has not, as file managers draw an unfocused
// selection: the styles choose by the window's activation, not the list's
// focus, and some draw both alike. The current entry also carries the
// style's focus marking whenever the list has the focus, not only once the
// keyboard has moved it.
class FocusShowingDelegate : public QStyledItemDelegate {
 public:
  explicit FocusShowingDelegate(QListWidget* list) : QStyledItemDelegate(list), list_(list) {}
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem item(option);
    if ((item.state & QStyle::State_HasFocus) != 0) item.state |= QStyle::State_KeyboardFocusChange;
    if ((item.state & QStyle::State_Selected) != 0) {
      const bool focused = list_->hasFocus();
      painter->fillRect(item.rect, focused ? item.palette.color(QPalette::Active, QPalette::Highlight)
                                           : EntryList::UnfocusedHighlight(item.palette));
      item.state &= ~QStyle::State_Selected;
      item.palette.setColor(QPalette::Text,
                            item.palette.color(QPalette::Active, focused ? QPalette::HighlightedText : QPalette::Text));
    }
    QStyledItemDelegate::paint(painter, item, index);
  }

 private:
  QListWidget* list_;
};

}  // namespace

EntryList::EntryList(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new FocusShowingDelegate(this));
  setSelectionMode(QAbstractItemView::SingleSelection);
  whole_number_ = new QTimer(this);
  whole_number_->setSingleShot(true);
  connect(whole_number_, &QTimer::timeout, this, [this] { EndTypedNumber(true); });
  connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
    if (now == this) focus_left_ = old;
  });
}

QColor EntryList::UnfocusedHighlight(const QPalette& palette) {
  // A third of the way to the highlight: plainly the entry shown, plainly
  // not where the keyboard is.
  return TintTowardsHighlight(palette, 3);
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
