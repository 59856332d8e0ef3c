// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/plain_message_box.h"

namespace quorvane {

PlainMessageBox::PlainMessageBox(QMessageBox::Icon icon, const QString& text, QWidget* parent)
    : QMessageBox(icon, QStringLiteral("Quorvane"), text, QMessageBox::NoButton, parent) {
  setTextFormat(Qt::PlainText);
  setTextInteractionFlags(Qt::TextSelectableByMouse);
}

}  // namespace quorvane
