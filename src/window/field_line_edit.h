// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>

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

  // A pointer box: what is typed or pasted at its end goes in as the input
  // rule leaves it (FilterHexTyped), so the box's undo takes it back whole.
  void TypeAsHex() { types_as_hex_ = true; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool types_as_hex_ = false;
};

}  // namespace quorvane
