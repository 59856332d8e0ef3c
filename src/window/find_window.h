// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "window/announcement_label.h"

class QComboBox;
class QLineEdit;

namespace quorvane {

// "Find Entry": a small window that stays open beside the main one while the
// user goes on, with the field to look in, the value to look for (its whole
// value in hex digits, most significant byte first, as the boxes show it)
// and Find Next (Enter), Find Previous and Close (Escape).
class FindWindow : public QDialog {
  Q_OBJECT

 public:
  explicit FindWindow(QWidget* parent);
  // Shows the window, its value box holding `value_of` the chosen field's
  // group ("Text Pointer:" ...), selected, so that typing replaces it.
  void Open(const std::function<std::uint32_t(const char* group)>& value_of);

  // A group's value as the boxes show it, most significant byte first
  // ("C3A05F" for "Text Pointer:").
  static QString ValueText(const char* group, std::uint32_t value);

  // Shows what the last search found under the value, where the user is,
  // and has a screen reader say it.
  void Announce(const QString& what);
  QComboBox* Field() const { return field_; }
  QLineEdit* Value() const { return value_; }

 signals:
  void findRequested(const char* group, std::uint32_t value, bool forward);

 private:
  void Find(bool forward);
  int Digits() const;

  QComboBox* field_;
  QLineEdit* value_;
  AnnouncementLabel* message_;
  std::function<std::uint32_t(const char* group)> value_of_;
};

}  // namespace quorvane
