// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/search_commands.h"

#include <QGuiApplication>
#include <utility>

#include "window/messages.h"

namespace quorvane {

SearchCommands::SearchCommands(QWidget* window, const EditingSession& session, DialogGate& dialogs, StatusLine& status,
                               std::function<void(std::int32_t entry)> go_to)
    : QObject(window),
      window_(window),
      session_(session),
      dialogs_(dialogs),
      status_(status),
      go_to_(std::move(go_to)) {}

void SearchCommands::OpenWindow() {
  if (find_window_ == nullptr) {
    find_window_ = new FindWindow(window_);
    connect(find_window_, &FindWindow::findRequested, this,
            [this](RecordValue which, std::uint32_t value, bool forward) {
              searched_ = which;
              value_ = value;
              emit searchMade();
              Run(forward);
            });
  }
  find_window_->Open([this](RecordValue which) { return session_.ShownValue(which); });
}

void SearchCommands::Tell(const QString& words) {
  // Shown in both, said once: from the find window while it is open.
  if (find_window_ != nullptr && find_window_->isVisible()) {
    status_.Tell(words);
    find_window_->Announce(words);
  } else {
    status_.Announce(words);
  }
}

void SearchCommands::Run(bool forward) {
  if (!searched_ || dialogs_.IsOpen()) return;
  // Every byte is opened and checked on its own, which on a slow disk or
  // under a virus scanner may take a moment: the pointer says so.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const SearchResult result = session_.Find(*searched_, value_, forward);
  QGuiApplication::restoreOverrideCursor();
  if (result.outcome == SearchResult::Outcome::kFailed) {
    dialogs_.Warn(window_, Messages::SearchStopped(*result.failure));
    return;
  }
  const bool moves = result.outcome == SearchResult::Outcome::kFound && result.entry != session_.ShownEntry();
  if (moves) go_to_(result.entry);
  // Nothing said when the user stayed where the edits are.
  if (result.outcome == SearchResult::Outcome::kNone || session_.ShownEntry() == result.entry) {
    Tell(Messages::Found(result, *searched_, value_, forward, moves));
  }
}

}  // namespace quorvane
