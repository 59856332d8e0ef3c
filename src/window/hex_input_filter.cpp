// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/hex_input_filter.h"

#include <QString>

#include "rom/hex_text.h"

namespace quorvane {

std::string FilterHexInput(FieldBox& box) {
  // Upper-casing and dropping work on characters, not on UTF-8 bytes, so a
  // typed "ä" or "é" goes whole.
  QString text = QString::fromStdString(box.Text()).toUpper();
  box.SetCaretPosition(static_cast<int>(text.size()));
  if (text.isEmpty()) return {};
  const QChar last = text.back();
  if (last.unicode() < 0x80 && IsHexDigit(static_cast<char>(last.unicode()))) return text.toStdString();
  // A character outside the Basic Multilingual Plane is two UTF-16 units.
  const bool pair = last.isLowSurrogate() && text.size() >= 2 && text.at(text.size() - 2).isHighSurrogate();
  text.chop(pair ? 2 : 1);
  return text.toStdString();
}

}  // namespace quorvane
