// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/field_line_edit.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <QStyleOptionFrame>

#include "window/hex_input_filter.h"
#include "window/messages.h"
#include "window/palette_tint.h"

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

void FieldLineEdit::SetDescription(const QString& description) {
  description_ = description;
  setAccessibleDescription(description);
}

void FieldLineEdit::ShowAsEdited(bool edited) {
  if (edited == edited_) return;
  edited_ = edited;
  QFont font = this->font();
  font.setBold(edited);
  setFont(font);
  // The ground a quarter of the way to the highlight colour.
  QPalette palette = QGuiApplication::palette();
  if (edited) palette.setColor(QPalette::Base, TintTowardsHighlight(palette, 4));
  setPalette(palette);
  setAccessibleDescription(edited ? Messages::Edited(description_) : description_);
}

void FieldLineEdit::Paste(const QString& text) {
  if (!isReadOnly() && !(take_paste_ && take_paste_(text))) insert(AsTyped(text, false));
}

QString FieldLineEdit::AsTyped(const QString& text, bool replaces_all) const {
  if (!types_as_hex_) return text;
  const bool at_end = replaces_all || (hasSelectedText() ? selectionEnd() : cursorPosition()) == this->text().size();
  // Before the end, only the case changes: the rule looks at the last character alone.
  return at_end ? FilterHexTyped(text) : text.toUpper();
}

void FieldLineEdit::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Paste)) return Paste(QGuiApplication::clipboard()->text());
  const bool typed = !event->text().isEmpty() && event->text().front().isPrint() &&
                     (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
  if (!typed || isReadOnly()) return QLineEdit::keyPressEvent(event);
  // A key typed into a full box starts its byte afresh, as in a spreadsheet
  // cell; a key the input rule drops changes nothing at all, so no key
  // empties a box.
  const bool full = !hasSelectedText() && maxLength() <= 2 && text().size() >= maxLength();
  const QString kept = AsTyped(event->text(), full);
  if (kept.isEmpty()) return;
  if (full) selectAll();
  if (!types_as_hex_) return QLineEdit::keyPressEvent(event);
  insert(kept);
}

void FieldLineEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = createStandardContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  // The menu's Paste goes the way every paste goes.
  if (auto* paste = menu->findChild<QAction*>(QStringLiteral("edit-paste"))) {
    paste->disconnect();
    connect(paste, &QAction::triggered, this, [this] { Paste(QGuiApplication::clipboard()->text()); });
  }
  menu->popup(event->globalPos());
}

void FieldLineEdit::mouseReleaseEvent(QMouseEvent* event) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (event->button() != Qt::MiddleButton || !clipboard->supportsSelection() || isReadOnly()) {
    return QLineEdit::mouseReleaseEvent(event);
  }
  Paste(clipboard->text(QClipboard::Selection));
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
