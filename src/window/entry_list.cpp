#include "window/entry_list.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>

namespace quorvane {

EntryList::EntryList(QWidget* parent) : QListWidget(parent) {
  setSelectionMode(QAbstractItemView::SingleSelection);
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
  focus_before_press_ = nullptr;
  if (on_current && event->button() == Qt::LeftButton) emit currentEntryPressed();
}

}  // namespace quorvane
