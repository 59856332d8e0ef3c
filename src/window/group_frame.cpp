// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/group_frame.h"

namespace quorvane {

GroupFrame::GroupFrame(const QString& group_name, QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAccessibleName(group_name);
}

}  // namespace quorvane
