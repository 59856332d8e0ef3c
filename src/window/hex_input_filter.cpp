// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/hex_input_filter.h"

#include <QString>

#include "rom/hex_text.h"

namespace quorvane {

namespace {

bool EndsInHexDigit(const QString& text) { return !text.isEmpty() && IsHexDigit(text.back().unicode()); }

}  // namespace

QString FilterHexTyped(const QString& typed) {
  QString text = typed.toUpper();
  while (!text.isEmpty() && !EndsInHexDigit(text)) text.chop(1);
  return text;
}

std::string FilterHexInput(FieldBox& box) {
  // Upper-casing and dropping work on characters, not on UTF-8 bytes, so a
  // typed "ä" or "é" goes whole.
  QString text = QString::fromStdString(box.Text()).toUpper();
  box.SetCaretPosition(static_cast<int>(text.size()));
  if (text.isEmpty()) return {};
  if (EndsInHexDigit(text)) return text.toStdString();
  // A character outside the Basic Multilingual Plane is two UTF-16 units.
  const bool pair = text.back().isLowSurrogate() && text.size() >= 2 && text.at(text.size() - 2).isHighSurrogate();
  text.chop(pair ? 2 : 1);
  return text.toStdString();
}

}  // namespace quorvane
