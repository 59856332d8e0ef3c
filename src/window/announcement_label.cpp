// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/announcement_label.h"

#include <QAccessible>

namespace quorvane {

AnnouncementLabel::AnnouncementLabel(QWidget* parent) : ElidingLabel(parent) {}

void AnnouncementLabel::Announce(const QString& words) {
  SetWords(words);
  // A change of name is said only of the object with the focus; a
  // notification that shows is said wherever the focus is. Showing a hidden
  // label tells assistive software so itself.
  if (isHidden()) {
    show();
    return;
  }
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace quorvane
