// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/record_typing.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

#include "rom/hex_text.h"
#include "window/messages.h"

namespace quorvane {
namespace {

bool IsModifier(const QKeyEvent& key) {
  return key.key() == Qt::Key_Shift || key.key() == Qt::Key_Control || key.key() == Qt::Key_Alt ||
         key.key() == Qt::Key_Meta;
}

}  // namespace

// Watches the whole program while the focus has just passed on, for
// anything that is not the next key into the box it passed to.
class RecordTyping::AdvanceWatch : public QObject {
 public:
  explicit AdvanceWatch(RecordTyping& typing) : QObject(&typing), typing_(typing) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::KeyPress:
        // A key reaches the top-level window first, then the box with the focus.
        if (!watched->isWidgetType() || watched == typing_.advanced_to_ || IsModifier(*static_cast<QKeyEvent*>(event)))
          break;
        [[fallthrough]];
      case QEvent::Shortcut:
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonDblClick:
        typing_.ForgetAdvance();
        break;
      default:
        break;
    }
    return false;
  }

 private:
  RecordTyping& typing_;
};

RecordTyping::RecordTyping(std::function<void(const Message& why)> tell, QObject* parent)
    : QObject(parent), tell_(std::move(tell)), watch_(new AdvanceWatch(*this)) {
  connect(qApp, &QApplication::focusChanged, this, [this] { ForgetAdvance(); });
}

void RecordTyping::AddValue(const std::vector<FieldLineEdit*>& boxes) {
  values_.push_back(boxes);
  for (FieldLineEdit* box : boxes) {
    box->installEventFilter(this);
    box->OnPaste([this, box](const QString& text) { return TakePaste(box, text); });
  }
}

const std::vector<FieldLineEdit*>* RecordTyping::ValueOf(const QWidget* box) const {
  const auto value = std::find_if(values_.begin(), values_.end(), [box](const std::vector<FieldLineEdit*>& boxes) {
    return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
  });
  return value == values_.end() ? nullptr : &*value;
}

void RecordTyping::Changed(FieldLineEdit* box, bool by_user) {
  const std::vector<FieldLineEdit*>* value = ValueOf(box);
  if (value == nullptr || box == value->back()) return;
  const QString text = box->text();
  const bool full = text.size() == 2 && (box->TypesAsHex() || IsHexText(text));
  // Only the user's own typing or pasting passes the focus on. The program
  // filling the boxes never moves it: a screen reader would lose the list's
  // announcement of the entry to focus jumping about.
  if (by_user && full && box->hasFocus() && !changing_boxes_) {
    Advance(box, *(std::find(value->begin(), value->end(), box) + 1));
  }
}

void RecordTyping::Advance(FieldLineEdit* from, FieldLineEdit* to) {
  to->setFocus(Qt::TabFocusReason);
  to->selectAll();
  advanced_from_ = from;
  advanced_to_ = to;
  qApp->installEventFilter(watch_);
}

void RecordTyping::ForgetAdvance() {
  if (advanced_to_.isNull() && advanced_from_.isNull()) return;
  advanced_from_ = advanced_to_ = nullptr;
  qApp->removeEventFilter(watch_);
}

void RecordTyping::Forget() {
  ForgetAdvance();
  spreads_.clear();
}

bool RecordTyping::eventFilter(QObject* watched, QEvent* event) {
  auto* box = qobject_cast<FieldLineEdit*>(watched);
  if (box == nullptr || event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  return TakeKey(box, *static_cast<QKeyEvent*>(event));
}

bool RecordTyping::TakeKey(FieldLineEdit* box, const QKeyEvent& key) {
  if (IsModifier(key)) return false;
  const QPointer<FieldLineEdit> from = box == advanced_to_ ? advanced_from_ : nullptr;
  ForgetAdvance();
  if (from && key.key() == Qt::Key_Tab && key.modifiers() == Qt::NoModifier) return true;
  if (from && key.key() == Qt::Key_Backspace && key.modifiers() == Qt::NoModifier) {
    from->setFocus(Qt::OtherFocusReason);
    from->end(false);
    from->backspace();
    return true;
  }
  const bool undo = key.matches(QKeySequence::Undo);
  if (!undo && !key.matches(QKeySequence::Redo)) return false;
  // Taking typing back, or making it again, is no typing: it passes no focus on.
  const QScopedValueRollback changing(changing_boxes_, true);
  if (SpreadHolds(box, !undo)) {
    Spread& spread = spreads_.at(ValueOf(box)->front());
    for (FieldLineEdit* part : spread.boxes) undo ? part->undo() : part->redo();
    spread.undone = undo;
  } else {
    undo ? box->undo() : box->redo();
  }
  return true;
}

bool RecordTyping::SpreadHolds(const QWidget* box, bool undone) const {
  const std::vector<FieldLineEdit*>* value = ValueOf(box);
  const auto found = value == nullptr ? spreads_.end() : spreads_.find(value->front());
  if (found == spreads_.end() || found->second.undone != undone) return false;
  const Spread& spread = found->second;
  for (std::size_t at = 0; at < spread.boxes.size(); ++at) {
    const QStringList& expected = undone ? spread.before : spread.after;
    const FieldLineEdit* part = spread.boxes[at];
    if (part->text() != expected.at(static_cast<qsizetype>(at))) return false;
    if (!(undone ? part->isRedoAvailable() : part->isUndoAvailable())) return false;
  }
  return true;
}

bool RecordTyping::CanTakeBack(const QWidget* box, bool redo) const {
  if (SpreadHolds(box, redo)) return true;
  const auto* edit = qobject_cast<const QLineEdit*>(box);
  return edit != nullptr && (redo ? edit->isRedoAvailable() : edit->isUndoAvailable());
}

bool RecordTyping::TakePaste(FieldLineEdit* box, const QString& text) {
  const std::vector<FieldLineEdit*>* value = ValueOf(box);
  if (value == nullptr) return false;
  const QString digits = text.trimmed();
  const bool hex = IsHexText(digits);
  if (hex && digits.size() == 2 * static_cast<qsizetype>(value->size()) && value->size() > 1) {
    const QScopedValueRollback changing(changing_boxes_, true);
    Spread& spread = spreads_[value->front()] = {*value, {}, {}, false};
    qsizetype at = 0;
    for (FieldLineEdit* part : *value) {
      spread.before.append(part->text());
      part->selectAll();
      part->insert(digits.mid(at, 2).toUpper());
      spread.after.append(part->text());
      at += 2;
    }
    value->back()->setFocus(Qt::OtherFocusReason);
    return true;
  }
  const qsizetype room = box->maxLength() - box->text().size() + box->selectedText().size();
  if (text.size() <= room) return false;
  if (hex && digits.size() <= 2) {
    // A byte pasted into a full box starts its byte afresh, as typing does.
    box->selectAll();
    box->insert(digits.toUpper());
    return true;
  }
  tell_(Messages::PasteRefused(text));
  return true;
}

}  // namespace quorvane
