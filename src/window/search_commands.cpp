// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/search_commands.h"

#include <QAction>
#include <QGuiApplication>
#include <algorithm>
#include <utility>

#include "window/failure_text.h"

namespace quorvane {

SearchCommands::SearchCommands(QWidget* window, const EditingSession& session, DialogGate& dialogs, StatusLine& status,
                               QAction* find_next, QAction* find_previous,
                               std::function<void(std::int32_t entry)> go_to)
    : QObject(window),
      window_(window),
      session_(session),
      dialogs_(dialogs),
      status_(status),
      find_next_(find_next),
      find_previous_(find_previous),
      go_to_(std::move(go_to)) {
  find_next_->setEnabled(false);  // until a search was made
  find_previous_->setEnabled(false);
  connect(find_next_, &QAction::triggered, this, [this] { Run(true); });
  connect(find_previous_, &QAction::triggered, this, [this] { Run(false); });
}

void SearchCommands::OpenWindow() {
  if (find_window_ == nullptr) {
    find_window_ = new FindWindow(window_);
    connect(find_window_, &FindWindow::findRequested, this,
            [this](RecordValue which, std::uint32_t value, bool forward) {
              searched_ = which;
              value_ = value;
              find_next_->setEnabled(true);
              find_previous_->setEnabled(true);
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
  // "Text Pointer C3A05F", as the boxes show the value.
  const QString what =
      QStringLiteral("%1 %2").arg(FailureText::ValueName(*searched_), FindWindow::ValueText(*searched_, value_));
  if (result.outcome == SearchResult::Outcome::kFailed) {
    dialogs_.Warn(window_, FailureText::Describe(*result.failure) + tr(" The search stopped; search again."));
    return;
  }
  if (result.outcome == SearchResult::Outcome::kNone) {
    Tell(tr("No entry holds %1").arg(what));
    return;
  }
  const bool moves = result.entry != session_.ShownEntry();
  if (moves) go_to_(result.entry);
  if (session_.ShownEntry() != result.entry) return;  // the user stayed where the edits are
  const auto index = std::find(result.matches.begin(), result.matches.end(), result.entry) - result.matches.begin();
  QString found =
      tr("Entry %1: %2 of %3 entries hold %4").arg(result.entry).arg(index + 1).arg(result.matches.size()).arg(what);
  if (moves && result.wrapped) found += forward ? tr(", on from Entry 1") : tr(", back from Entry 841");
  Tell(found);
}

}  // namespace quorvane
