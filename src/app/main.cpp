// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The program: the editor's one window, until it closes.
#include <QApplication>

#include "app/editor.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  return quorvane::RunEditor(application);
}
