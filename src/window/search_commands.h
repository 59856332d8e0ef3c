// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <optional>

#include "rom/editing_session.h"
#include "window/dialog_gate.h"
#include "window/find_window.h"
#include "window/status_line.h"

class QWidget;

namespace quorvane {

// Edit > Find..., Find Next and Find Previous: the find window, the last
// search, which the two repeat, and what a search found, told in the status
// line and in the find window. The entry found is reached through `go_to`,
// the window's own way to any entry, which asks first about unsaved edits
// (`has_edits` says whether there are any). A search speaks of the image as
// it is when it speaks, and one that finds the image replaced goes on in the
// new file, as browsing does, unless that would drop the user's edits.
class SearchCommands : public QObject {
  Q_OBJECT

 public:
  // The find window may cover `list`, but no other control of `window`.
  SearchCommands(QWidget* window, QWidget* list, const EditingSession& session, DialogGate& dialogs, StatusLine& status,
                 std::function<void(std::int32_t entry)> go_to, std::function<bool()> has_edits);

  // Shows the find window, holding the shown entry's value of its field.
  void OpenWindow();
  // Goes to the next (or previous) entry that holds the last search's value;
  // nothing while a dialog of the window is open.
  void Run(bool forward);
  // The find window, once it has been opened.
  FindWindow* Window() const { return find_window_; }
  // Whether a search was made, which Find Next and Previous repeat.
  bool HasSearch() const { return searched_.has_value(); }

 signals:
  void searchMade();

 private:
  SearchResult Search(bool forward) const;
  // What a search came to, about `entry`, in the status line and the find window.
  void Tell(const QString& words, std::int32_t entry);

  QWidget* window_;
  QWidget* list_;
  const EditingSession& session_;
  DialogGate& dialogs_;
  StatusLine& status_;
  std::function<void(std::int32_t entry)> go_to_;
  std::function<bool()> has_edits_;
  FindWindow* find_window_ = nullptr;
  std::optional<RecordValue> searched_;  // none until a search was made
  std::uint32_t value_ = 0;
  bool telling_ = false;  // while its own words go into the status line
};

}  // namespace quorvane
