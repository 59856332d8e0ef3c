// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The yardstick for start-up time and memory: a bare Qt 6 main window of the
// same size, and nothing else. With --dialog it also shows Qt's file dialog
// once and closes it, as the editor's Open does. With --menus it gets a menu
// bar and one caption, the least that any window with menus and text needs,
// to tell the toolkit's share of the editor's start-up from the editor's own.
#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QTimer>

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.setWindowTitle(QStringLiteral("Bare"));
  window.resize(512, 200);
  if (argc > 1 && QByteArray(argv[1]) == "--menus") {
    window.menuBar()->addMenu(QStringLiteral("File"))->addAction(QStringLiteral("Open"));
    window.setCentralWidget(new QLabel(QStringLiteral("Text Pointer:")));
  }
  window.show();
  if (argc > 1 && QByteArray(argv[1]) == "--dialog") {
    QTimer::singleShot(0, &window, [&window] {
      QFileDialog dialog(&window, QStringLiteral("Open ROM"), QString(), QStringLiteral("SNES ROM (*.smc)"));
      dialog.setFileMode(QFileDialog::ExistingFile);
      QTimer::singleShot(1500, &dialog, &QDialog::reject);
      dialog.exec();
    });
  }
  return application.exec();
}
