// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/record_typing.h"

#include <QKeyEvent>
#include <QRegularExpression>
#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

namespace quorvane {

RecordTyping::RecordTyping(std::function<void(const QString& why)> tell, QObject* parent)
    : QObject(parent), tell_(std::move(tell)) {}

void RecordTyping::AddValue(const std::vector<FieldLineEdit*>& boxes) {
  values_.push_back(boxes);
  for (FieldLineEdit* box : boxes) {
    box->installEventFilter(this);
    box->OnPaste([this, box](const QString& text) { return TakePaste(box, text); });
  }
}

void RecordTyping::Advance(FieldLineEdit* from, FieldLineEdit* to) {
  if (spreading_) return;
  to->setFocus(Qt::TabFocusReason);
  to->selectAll();
  advanced_from_ = from;
  advanced_to_ = to;
}

bool RecordTyping::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  // Shift, Ctrl and the like on their own are not yet a key.
  if (key->key() == Qt::Key_Shift || key->key() == Qt::Key_Control || key->key() == Qt::Key_Alt ||
      key->key() == Qt::Key_Meta) {
    return false;
  }
  // Only the first key after the focus passed on, or after a paste, counts.
  const QPointer<FieldLineEdit> from = watched == advanced_to_ ? advanced_from_ : nullptr;
  const std::vector<FieldLineEdit*> spread = std::exchange(spread_, {});
  advanced_from_ = advanced_to_ = nullptr;
  if (from && key->key() == Qt::Key_Tab && key->modifiers() == Qt::NoModifier) return true;
  if (from && key->key() == Qt::Key_Backspace && key->modifiers() == Qt::NoModifier) {
    from->setFocus(Qt::OtherFocusReason);
    from->end(false);
    from->backspace();
    return true;
  }
  if (!spread.empty() && key->matches(QKeySequence::Undo)) {
    for (FieldLineEdit* box : spread) box->undo();
    return true;
  }
  return false;
}

bool RecordTyping::TakePaste(FieldLineEdit* box, const QString& text) {
  const auto value = std::find_if(values_.begin(), values_.end(), [box](const std::vector<FieldLineEdit*>& boxes) {
    return std::find(boxes.begin(), boxes.end(), box) != boxes.end();
  });
  if (value == values_.end()) return false;
  const QString digits = text.trimmed();
  static const QRegularExpression kHex(QStringLiteral("^[0-9A-Fa-f]+$"));
  if (digits.size() == 2 * static_cast<qsizetype>(value->size()) && kHex.match(digits).hasMatch()) {
    const QScopedValueRollback spreading(spreading_, true);
    qsizetype at = 0;
    for (FieldLineEdit* part : *value) {
      part->selectAll();
      part->insert(digits.mid(at, 2).toUpper());
      at += 2;
    }
    value->back()->setFocus(Qt::OtherFocusReason);
    spread_ = *value;
    return true;
  }
  const qsizetype room = box->maxLength() - box->text().size() + box->selectedText().size();
  if (text.size() <= room) return false;
  tell_(tr("\"%1\" does not fit into this box, which holds two characters, and it is not a whole pointer (six "
           "hexadecimal digits, as Copy Pointer gives it) or a whole X or Y (four). Nothing was pasted.")
            .arg(text));
  return true;
}

}  // namespace quorvane
