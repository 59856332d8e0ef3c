// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/field_line_edit.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QStyle>
#include <QStyleOptionFrame>

#include "window/hex_input_filter.h"

namespace quorvane {

FieldLineEdit::FieldLineEdit(QWidget* parent) : QLineEdit(parent) {}

std::string FieldLineEdit::Text() const { return text().toStdString(); }

void FieldLineEdit::SetText(const std::string& text) { setText(QString::fromStdString(text)); }

void FieldLineEdit::SetCaretPosition(int position) { setCursorPosition(position); }

void FieldLineEdit::Correct(const std::string& text) {
  const QString corrected = QString::fromStdString(text);
  if (corrected == this->text()) return;
  selectAll();
  insert(corrected);
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  const bool pasted = event->matches(QKeySequence::Paste);
  const bool typed = !event->text().isEmpty() && event->text().front().isPrint() &&
                     (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
  const bool at_end = (hasSelectedText() ? selectionEnd() : cursorPosition()) == text().size();
  if (!types_as_hex_ || isReadOnly() || !(pasted || typed)) return QLineEdit::keyPressEvent(event);
  const QString text = pasted ? QGuiApplication::clipboard()->text() : event->text();
  // Before the end, only the case changes: the rule looks at the last character alone.
  insert(at_end ? FilterHexTyped(text) : text.toUpper());
  event->accept();
}

QSize FieldLineEdit::SizeToShow(const QString& text) const {
  // The same sum QLineEdit makes for its own size hint: the text, the
  // line edit's fixed inner margins (2 px each side, 1 px top and bottom),
  // the caret, and then whatever frame the style draws around it.
  const QFontMetrics metrics = fontMetrics();
  const QMargins margins = textMargins();
  const QSize contents(metrics.horizontalAdvance(text) + 2 * 2 + 1 + margins.left() + margins.right(),
                       qMax(metrics.height(), 14) + 2 * 1 + margins.top() + margins.bottom());
  QStyleOptionFrame option;
  initStyleOption(&option);
  return style()->sizeFromContents(QStyle::CT_LineEdit, &option, contents, this);
}

}  // namespace quorvane
