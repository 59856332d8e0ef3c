// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace quorvane {

// A text box as the core sees it. Texts are UTF-8; the caret position counts
// characters as the box itself does. Setting a different text runs whatever
// change handling the box has, at once.
class FieldBox {
 public:
  virtual ~FieldBox() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual void SetCaretPosition(int position) = 0;
};

}  // namespace quorvane
