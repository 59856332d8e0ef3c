// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <functional>

#include "rom/field_box.h"

namespace quorvane {

// A single-line text box that the core can read, fill and place the caret
// in. Setting a different text raises textChanged, and with it whatever
// change handling the box has, at once.
class FieldLineEdit : public QLineEdit, public FieldBox {
  Q_OBJECT

 public:
  explicit FieldLineEdit(QWidget* parent = nullptr);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  void SetCaretPosition(int position) override;
  // Changes the text as the user's own editing would, so that the change
  // joins the box's undo history rather than wiping it, as setting the text
  // does. Nothing happens when the text is the same.
  void Correct(const std::string& text);

  // The size this box needs to show the given text whole, frame included.
  QSize SizeToShow(const QString& text) const;

  // What assistive software is told of the box ("record byte 10 of 0 to 10").
  void SetDescription(const QString& description);
  // A box whose text no longer stands for the byte it showed looks so, and
  // not by colour alone: bold text on a tinted ground; assistive software
  // hears that it is changed and not saved.
  void ShowAsEdited(bool edited);

  // A pointer box: what is typed or pasted at its end goes in as the input
  // rule leaves it (FilterHexTyped), so the box's undo takes it back whole.
  void TypeAsHex() { types_as_hex_ = true; }
  bool TypesAsHex() const { return types_as_hex_; }
  // Every way of pasting (the keys, the context menu, the X11 selection
  // with the middle button) first offers the text here; true when it was
  // taken care of, so that the box itself pastes nothing.
  void OnPaste(std::function<bool(const QString& text)> take) { take_paste_ = std::move(take); }
  void Paste(const QString& text);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  // What of `text` typing would put in at the caret (or, when `replaces_all`,
  // in place of the whole text), under the box's input rule.
  QString AsTyped(const QString& text, bool replaces_all) const;

  bool types_as_hex_ = false;
  bool edited_ = false;
  QString description_;
  std::function<bool(const QString& text)> take_paste_;
};

}  // namespace quorvane
