// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: create the window, run its Load handling, show it. The program
// ends when the window closes, or when Open obtains an empty file name.
#include <QApplication>

#include "rom/editing_session.h"
#include "rom/module1.h"
#include "window/form1.h"
#include "window/user_interaction.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setDesktopFileName(QStringLiteral("org.quorvane.quorvane"));

  quorvane::Module1 module;
  quorvane::DialogFileChooser chooser;
  quorvane::MessageBoxNotifier notifier;
  quorvane::EditingSession session(module);
  quorvane::Form1 form(session, chooser, notifier);
  form.Form_Load();
  form.show();
  return application.exec();
}
