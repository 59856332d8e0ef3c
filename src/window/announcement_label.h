// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/eliding_label.h"

namespace quorvane {

// A label whose words a screen reader says as they come, wherever the focus
// is: assistive software sees it as a notification, named by its text, and
// each announcement tells it the notification has just been shown. One that
// is hidden until it has something to say says nothing as its window opens.
class AnnouncementLabel : public ElidingLabel {
  Q_OBJECT

 public:
  explicit AnnouncementLabel(QWidget* parent);
  // Shows the words and has them said.
  void Announce(const QString& words);
};

}  // namespace quorvane
