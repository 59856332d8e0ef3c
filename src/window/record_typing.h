// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <vector>

#include "window/field_line_edit.h"

namespace quorvane {

// How typing flows through the boxes of a value (the pointer, X, Y), as
// people type a record. When a box the user filled passes the focus on,
// the first key after it may be Tab, which stays where the focus went (it
// has moved already, as with the separator of an IP-address field), or
// Backspace, which goes back and takes the last character of the box the
// focus came from. A whole value pasted into any of its boxes (six
// hexadecimal digits for the pointer, as Copy Pointer gives it, four for X
// or Y) fills them all, and Ctrl+Z right after takes it back whole. A paste
// longer than a box holds and not a whole value changes nothing, and the
// user is told why, rather than have it cut short.
class RecordTyping : public QObject {
  Q_OBJECT

 public:
  RecordTyping(std::function<void(const QString& why)> tell, QObject* parent);
  // The boxes of one value, most significant byte first.
  void AddValue(const std::vector<FieldLineEdit*>& boxes);
  // The user filled `from`: the focus passes to `to`, its text selected so
  // that what is typed next replaces it.
  void Advance(FieldLineEdit* from, FieldLineEdit* to);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool TakePaste(FieldLineEdit* box, const QString& text);

  std::function<void(const QString& why)> tell_;
  std::vector<std::vector<FieldLineEdit*>> values_;
  QPointer<FieldLineEdit> advanced_from_, advanced_to_;
  std::vector<FieldLineEdit*> spread_;  // the boxes a whole-value paste just filled
  bool spreading_ = false;
};

}  // namespace quorvane
