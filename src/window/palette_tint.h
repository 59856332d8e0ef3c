// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QPalette>

namespace quorvane {

// The palette's ground (Base) taken one `parts`-th of the way towards its
// highlight colour: how the window marks a thing without the full highlight,
// in whatever palette the platform gives, light or dark.
inline QColor TintTowardsHighlight(const QPalette& palette, int parts) {
  const QColor ground = palette.color(QPalette::Active, QPalette::Base);
  const QColor mark = palette.color(QPalette::Active, QPalette::Highlight);
  return {((parts - 1) * ground.red() + mark.red()) / parts, ((parts - 1) * ground.green() + mark.green()) / parts,
          ((parts - 1) * ground.blue() + mark.blue()) / parts};
}

}  // namespace quorvane
