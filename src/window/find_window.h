// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <optional>

#include "rom/record_layout.h"
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
  // value, selected, so that typing replaces it. Opening, it asks to be
  // placed beside the window of `list`, which it may cover, but no other of
  // its controls.
  void Open(const std::function<std::optional<std::uint32_t>(RecordValue which)>& value_of, const QWidget& list);

  // A value as the boxes show it, most significant byte first ("C3A05F").
  static QString ValueText(RecordValue which, std::uint32_t value);

  // Shows what the last search found under the value, where the user is,
  // and has a screen reader say it.
  void Announce(const QString& what);
  // What was said gives way.
  void Hush();
  QLineEdit* Value() const { return value_; }

 signals:
  void findRequested(quorvane::RecordValue which, std::uint32_t value, bool forward);

 private:
  void Find(bool forward);
  // To the window's right, or below it where the screen has no room there,
  // or else (beside a maximized window) over the list's lower part.
  // Window managers may place it otherwise.
  void PlaceBeside(const QWidget& list);
  RecordValue Searched() const;

  QComboBox* field_;
  QLineEdit* value_;
  AnnouncementLabel* message_;
  std::function<std::optional<std::uint32_t>(RecordValue which)> value_of_;
};

}  // namespace quorvane
