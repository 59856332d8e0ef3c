// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QSize>
#include <vector>

namespace quorvane {

// A rectangle in twips (1/1440 inch) from the top left of the client area.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

// Turns twips into pixels: 15 twips make a pixel at 96 DPI, times one factor
// for the whole window, so that every proportion of the layout holds.
class TwipsScale {
 public:
  explicit TwipsScale(double factor = 1.0) : factor_(factor) {}

  int ToPixels(int twips) const;
  // Edges are rounded, not widths, so that neighbours stay flush.
  QRect ToPixels(const TwipsRect& rect) const;

  // What a control needs in pixels against the room its twips give it.
  struct Need {
    QSize pixels;
    QSize twips;
  };
  // The smallest factor, at least 1, at which every need is met.
  static TwipsScale Fitting(const std::vector<Need>& needs);

 private:
  double factor_;
};

}  // namespace quorvane
