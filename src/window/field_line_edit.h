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

  // The size this box needs to show the given text whole, frame included.
  QSize SizeToShow(const QString& text) const;
};

}  // namespace quorvane
