// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editor as a platform with a dark palette would start it, for the
// screenshot in docs/ (script/screenshots): the program follows the palette
// the platform gives it and has no setting of its own for one.
#include <QApplication>
#include <QPalette>

#include "app/editor.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  // Qt works out the other roles from the button and window colours.
  QPalette dark(QColor(0x35, 0x35, 0x35), QColor(0x2B, 0x2B, 0x2B));
  dark.setColor(QPalette::Base, QColor(0x1E, 0x1E, 0x1E));
  dark.setColor(QPalette::Highlight, QColor(0x3D, 0x7E, 0xD6));
  QApplication::setPalette(dark);
  return quorvane::RunEditor(application);
}
