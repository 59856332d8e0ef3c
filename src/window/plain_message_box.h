// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMessageBox>

namespace quorvane {

// A message box whose text is never read as markup, so that a file name
// shows as it is written. (Its informative text would take markup, so
// everything goes into the one text.) The text can be selected and copied:
// it often names a file and a reason worth keeping.
class PlainMessageBox : public QMessageBox {
  Q_OBJECT

 public:
  PlainMessageBox(QMessageBox::Icon icon, const QString& text, QWidget* parent);
};

}  // namespace quorvane
