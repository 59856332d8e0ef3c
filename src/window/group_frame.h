// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFrame>

namespace quorvane {

// The rectangle drawn around a group of boxes. Assistive software sees it
// as a group named after the caption over it ("Text Pointer"), not as an
// unnamed window.
class GroupFrame : public QFrame {
  Q_OBJECT

 public:
  GroupFrame(const QString& group_name, QWidget* parent);
};

}  // namespace quorvane
