// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>

#include "window/announcement_label.h"

class QLabel;
class QStatusBar;

namespace quorvane {

// The line below the boxes: which image is open, as the system writes its
// path, whether it can be written, and what the last Save, Undo or Redo
// did. Both parts are labels that a screen reader can reach.
class StatusLine : public QObject {
  Q_OBJECT

 public:
  explicit StatusLine(QStatusBar* bar);
  // Before any image is open, it invites the user to open one.
  void ShowNoImage();
  void ShowImage(const std::filesystem::path& path, bool writable);
  // What the last command did, in a few words; empty clears it.
  void Tell(const QString& what);
  // The same, said by a screen reader as it comes, wherever the focus is.
  void Announce(const QString& what);

  QString Text() const;

 private:
  QLabel* image_;
  AnnouncementLabel* last_;
};

}  // namespace quorvane
