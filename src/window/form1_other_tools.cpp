// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window beside the user's other tools, which rebuild the same image
// while the editor is open: a Save that finds the image replaced offers the
// new file with the user's edits kept, and when the user comes back from
// another program the image is asked again whether it can be written and the
// shown entry is read again.
#include "rom/rom_error.h"
#include "window/form1.h"
#include "window/messages.h"
#include "window/status_line.h"

namespace quorvane {

void Form1::OfferNewFile(const BoxTexts& texts) {
  const DisplayToken display = display_;
  if (!dialogs_.AskToShowNewFile(this, Messages::ShowNewFile(session_.ShownEntry(), session_.ImagePath()))) return;
  if (!StillAsAsked(display, texts)) return;
  try {
    TakeOnNewFile(texts, display);
  } catch (const RomError& failure) {
    dialogs_.Warn(this, Messages::NewFileUnfit(failure.failure()));
  }
}

void Form1::TakeOnNewFile(const BoxTexts& texts, DisplayToken display) {
  // Checked as Open checks a file, and asked about as Open asks.
  const std::filesystem::path path = session_.ImagePath();
  const CheckedImage checked = session_.Examine(path);
  if (checked.SeemsToLackHeader()) {
    if (!dialogs_.AskToOpenAnyway(this, Messages::SeemsHeaderless(path, checked.size))) return;
    if (!StillAsAsked(display, texts)) return;
  }
  const std::optional<EditingSession::Display> taken = session_.TakeOnReplacement(checked, texts, display);
  if (!taken) return;
  ShowDisplay(*taken, /*quietly=*/true);
  status_->ShowImage(path, session_.ImageWritable());
  status_->Tell(Messages::NewFileShown(path).text, session_.ShownEntry());
}

void Form1::ApplicationStateChanged(Qt::ApplicationState state) {
  const bool back = state == Qt::ApplicationActive && away_;
  away_ = state != Qt::ApplicationActive;
  // Read again only where nothing of the user's is in the way: no edit in
  // the boxes (those wait for the next Save's check), no dialog or command.
  // The list's entry, also when it could not be read before.
  if (!back || dialogs_.IsOpen() || !session_.IsOpen()) return;
  session_.RecheckWritable();  // the user may have changed that meanwhile
  if (List1->currentRow() < 0 || HasEdits()) {
    RefreshState();
    return;
  }
  ShowEntryAt(List1->currentRow(), /*quietly=*/true);  // which refreshes the window's state too
}

}  // namespace quorvane
