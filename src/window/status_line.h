// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <filesystem>

#include "window/announcement_label.h"

class QStatusBar;

namespace quorvane {

// The line below the boxes: which image the session holds now, as the
// system writes its path, whether it can be written, and what the last
// Save, Undo, Redo or search did. That belongs to its moment: it gives way
// once another entry is shown or another image opened. Both parts are
// labels that a screen reader can reach.
class StatusLine : public QObject {
  Q_OBJECT

 public:
  explicit StatusLine(QStatusBar* bar);
  // Before any image is open, it invites the user to open one.
  void ShowNoImage();
  void ShowImage(const std::filesystem::path& path, bool writable);
  // The same image, found writable or read-only since: the words stay.
  void UpdateImage(const std::filesystem::path& path, bool writable);
  // What the last command did to an entry, in a few words.
  void Tell(const QString& what, std::int32_t entry);
  // The same, said by a screen reader as it comes, wherever the focus is.
  void Announce(const QString& what, std::int32_t entry);
  // The entry shown now (0 for none): what was said of another gives way,
  // and of this one too when its bytes on show have `changed`.
  void Showing(std::int32_t entry, bool changed = false);

  QString Text() const;

 signals:
  // The last command's words changed, or gave way.
  void lastWordsChanged();

 private:
  void SetLast(const QString& words, bool announce = false);

  ElidingLabel* image_;
  AnnouncementLabel* last_;
  std::int32_t about_ = 0;  // the entry the last command's words are about
};

}  // namespace quorvane
