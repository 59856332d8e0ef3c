// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/editor.h"

#include <QApplication>

#include "rom/editing_session.h"
#include "rom/module1.h"
#include "window/form1.h"
#include "window/user_interaction.h"

namespace quorvane {

int RunEditor(QApplication& application) {
  QApplication::setApplicationName(QStringLiteral("Quorvane"));
  QApplication::setDesktopFileName(QStringLiteral("org.quorvane.quorvane"));
  Module1 module;
  DialogFileChooser chooser;
  MessageBoxNotifier notifier;
  EditingSession session(module);
  Form1 form(session, chooser, notifier);
  form.Form_Load();
  form.show();
  return application.exec();
}

}  // namespace quorvane
