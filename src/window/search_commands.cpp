// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/search_commands.h"

#include <QGuiApplication>
#include <QScopeGuard>
#include <QScopedValueRollback>
#include <algorithm>
#include <utility>

#include "window/messages.h"

namespace quorvane {

SearchCommands::SearchCommands(QWidget* window, QWidget* list, const EditingSession& session, DialogGate& dialogs,
                               StatusLine& status, std::function<void(std::int32_t entry)> go_to,
                               std::function<bool()> has_edits)
    : QObject(window),
      window_(window),
      list_(list),
      session_(session),
      dialogs_(dialogs),
      status_(status),
      go_to_(std::move(go_to)),
      has_edits_(std::move(has_edits)) {
  // The find window says what the status line says of a search, as long as it does.
  connect(&status_, &StatusLine::lastWordsChanged, this, [this] {
    if (!telling_ && find_window_ != nullptr) find_window_->Hush();
  });
}

void SearchCommands::OpenWindow() {
  if (find_window_ == nullptr) {
    find_window_ = new FindWindow(window_);
    connect(find_window_, &FindWindow::findRequested, this,
            [this](RecordValue which, std::uint32_t value, bool forward) {
              if (dialogs_.IsOpen()) return;  // nothing acts while a question is open, the search kept included
              searched_ = which;
              value_ = value;
              emit searchMade();
              Run(forward);
            });
  }
  // With no entry shown there is no value to offer.
  find_window_->Open(
      [this](RecordValue which) -> std::optional<std::uint32_t> {
        if (session_.ShownEntry() == 0) return std::nullopt;
        return session_.ShownValue(which);
      },
      *list_);
}

void SearchCommands::Tell(const QString& words, std::int32_t entry) {
  // Shown in both, said once: from the find window while it is open.
  const QScopedValueRollback telling(telling_, true);
  if (find_window_ != nullptr && find_window_->isVisible()) {
    status_.Tell(words, entry);
    find_window_->Announce(words);
  } else {
    status_.Announce(words, entry);
  }
}

SearchResult SearchCommands::Search(bool forward) const {
  // One open and 2.5 kB of reads, which on a slow network drive may still
  // take a moment: the pointer says so, and is restored on every way out.
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
  return session_.Find(*searched_, value_, forward);
}

void SearchCommands::Run(bool forward) {
  if (!searched_ || dialogs_.IsOpen()) return;
  SearchResult result = Search(forward);
  const std::int32_t shown = session_.ShownEntry();
  const bool replaced = result.failure && result.failure->fault == RomFault::kReplaced;
  if (replaced && shown != 0 && !has_edits_()) {
    // As browsing does: the entry shown is read from the file now at the
    // image's path, which the session takes on (the user is told), and the
    // search goes on there.
    go_to_(shown);
    if (session_.ShownEntry() != shown) return;  // the new file could not show it, and the user was told why
    result = Search(forward);
  }
  const bool moves = result.outcome == SearchResult::Outcome::kFound && result.entry != session_.ShownEntry();
  if (moves) {
    const int asked = dialogs_.Opened();
    go_to_(result.entry);
    // A question on the way may have saved edits: count in the image as it is now.
    if (dialogs_.Opened() != asked && session_.ShownEntry() == result.entry) {
      const SearchResult now = Search(forward);
      // The entry shown may no longer hold the value (another program was
      // at work meanwhile): then nothing found is claimed of it.
      if (!now.failure && std::find(now.matches.begin(), now.matches.end(), result.entry) == now.matches.end()) return;
      result.matches = now.matches;
      result.failure = now.failure;
      if (now.failure) result.outcome = SearchResult::Outcome::kFailed;
    }
  }
  if (result.outcome == SearchResult::Outcome::kFailed) {
    status_.Tell({}, session_.ShownEntry());  // what an earlier search said no longer stands
    dialogs_.Warn(window_, Messages::SearchStopped(*result.failure, has_edits_()));
    return;
  }
  // Nothing said when the user stayed where the edits are.
  if (result.outcome == SearchResult::Outcome::kNone || session_.ShownEntry() == result.entry) {
    Tell(Messages::Found(result, *searched_, value_, forward, moves), session_.ShownEntry());
  }
}

}  // namespace quorvane
