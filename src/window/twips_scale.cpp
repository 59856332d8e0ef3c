// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/twips_scale.h"

#include <algorithm>
#include <cmath>

namespace quorvane {

namespace {
constexpr double kTwipsPerPixel = 15.0;
}

int TwipsScale::ToPixels(int twips) const { return static_cast<int>(std::lround(twips * factor_ / kTwipsPerPixel)); }

QRect TwipsScale::ToPixels(const TwipsRect& rect) const {
  const int left = ToPixels(rect.left);
  const int top = ToPixels(rect.top);
  return QRect(left, top, ToPixels(rect.left + rect.width) - left, ToPixels(rect.top + rect.height) - top);
}

TwipsScale TwipsScale::Fitting(const std::vector<Need>& needs) {
  double factor = 1.0;
  for (const Need& need : needs) {
    // One pixel more than needed absorbs the rounding of edges.
    const double width = (need.pixels.width() + 1) * kTwipsPerPixel / need.twips.width();
    const double height = (need.pixels.height() + 1) * kTwipsPerPixel / need.twips.height();
    factor = std::max({factor, width, height});
  }
  return TwipsScale(factor);
}

}  // namespace quorvane
