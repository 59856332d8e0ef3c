// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window's commands: Open, the display of the selected entry, Save,
// Copy Pointer, the pointer boxes' input, and the question asked before
// anything would throw the user's edits away.
#include "window/form1.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>
#include <QTimer>

#include "rom/hex_text.h"
#include "rom/record_layout.h"
#include "rom/save_check.h"
#include "window/hex_input_filter.h"
#include "window/messages.h"

namespace quorvane {
namespace {

// The chosen name goes to the path as UTF-16, never through a narrow code
// page, so that any name the dialog offers reaches the file system intact;
// with the system's own separators, so that messages show it as the user's
// system writes it (C:\Users\...\door.smc on Windows).
std::filesystem::path ToPath(const QString& name) {
  return std::filesystem::path(QDir::toNativeSeparators(name).toStdU16String());
}

// The one local file that a drop carries, if that is what it carries.
std::optional<QString> DroppedFile(const QMimeData* data) {
  const QList<QUrl> urls = data->hasUrls() ? data->urls() : QList<QUrl>();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
  return urls.first().toLocalFile();
}

}  // namespace

BoxTexts Form1::Texts() const {
  BoxTexts texts;
  for (int box = 1; box <= 10; ++box) texts[IndexOfBox(box)] = Box(box)->Text();
  return texts;
}

bool Form1::Guarded(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const RomError& failure) {
    dialogs_.Warn(this, Messages::Describe(failure.failure()));
    return false;
  } catch (const std::exception& failure) {
    dialogs_.Warn(this, Messages::Unforeseen(failure));
    return false;
  }
}

void Form1::file_open_Click() {
  if (dialogs_.IsOpen()) return;
  const std::optional<QString> chosen =
      CommonDialog1.ShowOpen(this, QStringLiteral("Open ROM"), QStringLiteral("SNES ROM (*.smc)"));
  if (!chosen) return;  // Cancelled: nothing changes.
  if (chosen->isEmpty()) {
    // An empty name ends the whole program, once the edits are seen to.
    if (LeaveShownEntry()) QCoreApplication::exit(0);
    return;
  }
  Guarded([&] { OpenImage(ToPath(*chosen)); });
}

void Form1::OpenImage(const std::filesystem::path& path) {
  // The chosen file is checked, and the user asked, before anything changes,
  // so that a file that cannot serve leaves the image already open in place.
  const CheckedImage checked = session_.Examine(path);
  if (checked.SeemsToLackHeader()) {
    if (!dialogs_.AskToOpenAnyway(this, Messages::SeemsHeaderless(path, checked.size))) return;
  }
  if (!LeaveShownEntry()) return;
  session_.Open(path, checked);
  status_->ShowImage(path, session_.ImageWritable());
  RefreshState();
  List1->setEnabled(true);
  // Shown here rather than through the list's change, which the list does
  // not raise when entry 1 is current already: the old image's bytes would
  // stay on screen, ready to be saved into the new one.
  MoveHighlight(0);
  ShowSelectedEntry();
}

void Form1::List1_Click() {
  if (moving_highlight_) return;
  // While a dialog is open it is about the entry shown, which stays.
  if (dialogs_.IsOpen()) {
    MoveHighlight(ShownRow());
    return;
  }
  const int target = List1->currentRow();
  if (!LeaveShownEntry()) return;
  if (List1->currentRow() != target) MoveHighlight(target);  // the question moved it back
  ShowSelectedEntry();
}

void Form1::ShowEntryAt(int row, bool quietly) {
  // All ten bytes come from one file, or none is shown: a failure empties
  // every box rather than leave a mix of two entries or two files.
  try {
    ShowDisplay(session_.Show(std::int32_t{static_cast<std::int16_t>(row)} + 1), quietly);
  } catch (const RomError& failure) {
    ShowNothing(failure.failure(), quietly);
  }
}

void Form1::ShowDisplay(const EditingSession::Display& display, bool quietly) {
  // What was said of the entry may no longer hold once its bytes differ.
  const bool changed = display.texts != Texts();
  display_ = display.token;
  typing_->Forget();
  {
    const QScopedValueRollback filling(filling_boxes_, true);
    for (const FieldSlot& slot : kFieldTable) {
      FieldLineEdit* box = Box(slot.box);
      box->SetText(display.texts[IndexOfBox(slot.box)]);
      box->setEnabled(slot.editable);
    }
  }
  MoveHighlight(ShownRow());
  if (!quietly) List1->setFocus(Qt::OtherFocusReason);
  RefreshState();
  status_->Showing(session_.ShownEntry(), changed);
  if (display.replaced) {
    status_->ShowImage(session_.ImagePath(), session_.ImageWritable());
    const Message replaced = Messages::Replaced(session_.ImagePath());
    quietly ? status_->Tell(replaced.text, session_.ShownEntry()) : dialogs_.Warn(this, replaced);
  }
}

void Form1::ShowNothing(const RomFailure& failure, bool quietly) {
  display_ = session_.CurrentDisplay();
  typing_->Forget();
  for (FieldLineEdit* box : boxes_) {
    const QScopedValueRollback filling(filling_boxes_, true);
    box->clear();
    box->setEnabled(false);
  }
  RefreshState();
  status_->Showing(0);
  const Message not_shown = Messages::NotShown(failure);
  quietly ? status_->Tell(not_shown.text, 0) : dialogs_.Warn(this, not_shown);
}

Form1::Settled Form1::SettleEdits() {
  if (!HasEdits()) return Settled::kNoEdits;
  // During a press on the list, the focus has already moved to it.
  const QPointer<QWidget> before = List1->FocusBeforePress() ? List1->FocusBeforePress() : focusWidget();
  // The question is about the entry shown, so the list shows that one while
  // it is asked, and a Save writes into it.
  MoveHighlight(ShownRow());
  const Message question = Messages::HasEdits(session_.ShownEntry(), session_.ImagePath());
  const DisplayToken display = display_;
  const BoxTexts texts = Texts();
  const Notifier::EditsAnswer answer = dialogs_.AskAboutEdits(this, question);
  if (!StillAsAsked(display, texts)) {
    StayOnShownEntry(before);
    return Settled::kStayed;
  }
  switch (answer) {
    case Notifier::EditsAnswer::kSave: {
      SaveOutcome outcome = SaveOutcome::kNotSaved;
      Guarded([&] { outcome = SaveEdits(); });
      if (outcome == SaveOutcome::kSaved) return Settled::kSaved;
      StayOnShownEntry(outcome == SaveOutcome::kBoxPointedOut ? nullptr : before.data());
      return Settled::kStayed;
    }
    case Notifier::EditsAnswer::kDiscard:
      return Settled::kDropped;
    case Notifier::EditsAnswer::kCancel:
      break;
  }
  StayOnShownEntry(before);
  return Settled::kStayed;
}

void Form1::StayOnShownEntry(QWidget* focus) {
  MoveHighlight(ShownRow());
  // The list goes on selecting the entry that a mouse or key press moved to
  // after the change has been handled; put the highlight back once the
  // press is through.
  QTimer::singleShot(0, this, [this] { MoveHighlight(ShownRow()); });
  if (focus != nullptr) focus->setFocus(Qt::OtherFocusReason);
}

void Form1::MoveHighlight(int row) {
  const QScopedValueRollback moving(moving_highlight_, true);
  List1->setCurrentRow(row);
}

void Form1::file_save_Click() {
  if (!dialogs_.IsOpen()) Guarded([this] { SaveEdits(); });
}

bool Form1::StillAsAsked(DisplayToken display, const BoxTexts& texts) {
  if (display == display_ && texts == Texts()) return true;
  dialogs_.Warn(this, Messages::ChangedWhileAsked());
  return false;
}

Form1::SaveOutcome Form1::SaveEdits() {
  // The texts are written only into the display they came from.
  const BoxTexts texts = Texts();
  const DisplayToken display = display_;
  SaveResult result = session_.Save(texts, display);
  // Another program changed the record since it was shown: the user sees
  // what changed and chooses, as often as that happens.
  while (result.outcome == SaveResult::Outcome::kChangedElsewhere) {
    const Notifier::ChangedElsewhereAnswer answer =
        dialogs_.AskAboutChangesElsewhere(this, Messages::ChangedElsewhere(result, texts, session_.ImagePath()));
    if (!StillAsAsked(display, texts)) return SaveOutcome::kNotSaved;
    switch (answer) {
      case Notifier::ChangedElsewhereAnswer::kReload: {
        const int row = ShownRow();
        MoveHighlight(row);
        ShowEntryAt(row);
        return SaveOutcome::kNotSaved;
      }
      case Notifier::ChangedElsewhereAnswer::kSaveMine:
        result = session_.Save(texts, display, SaveScope::kEditedValuesWhole);
        break;
      case Notifier::ChangedElsewhereAnswer::kCancel:
        return SaveOutcome::kNotSaved;
    }
  }
  return ShowSaveResult(result, texts);
}

Form1::SaveOutcome Form1::ShowSaveResult(const SaveResult& result, const BoxTexts& texts) {
  typing_->ForgetAdvance();
  {
    const QScopedValueRollback filling(filling_boxes_, true);
    for (int box = 1; box <= 10; ++box) {
      const std::optional<std::string>& text = result.texts[IndexOfBox(box)];
      if (text) Box(box)->SetText(*text);
    }
  }
  RefreshState();
  status_->Tell(Messages::SaveSummary(result), result.entry);
  switch (result.outcome) {
    case SaveResult::Outcome::kSaved:
      return SaveOutcome::kSaved;
    case SaveResult::Outcome::kBoxAtFault: {
      dialogs_.Warn(this, Messages::NotSaved(result, texts, session_.ImagePath()));
      FieldLineEdit* box = Box(result.box);
      box->setFocus(Qt::OtherFocusReason);
      box->selectAll();
      return SaveOutcome::kBoxPointedOut;
    }
    case SaveResult::Outcome::kNoImage:
    case SaveResult::Outcome::kNoEntry:
    case SaveResult::Outcome::kChangedElsewhere:
    case SaveResult::Outcome::kFailed:
    case SaveResult::Outcome::kOtherDisplay:
      break;
  }
  const bool replaced = result.failure && result.failure->fault == RomFault::kReplaced;
  if (replaced && result.to_write == 0) {
    // Nothing of the user's was at stake: the new file is shown, and the
    // user told, as browsing does; the focus stays where the Save left it.
    const QPointer<QWidget> focus = focusWidget();
    ShowEntryAt(ShownRow());
    if (focus) focus->setFocus(Qt::OtherFocusReason);
  } else if (replaced && result.written.empty()) {
    OfferNewFile(texts);
  } else {
    dialogs_.Warn(this, Messages::NotSaved(result, texts, session_.ImagePath()));
  }
  return SaveOutcome::kNotSaved;
}

void Form1::file_quit_Click() { close(); }

void Form1::edit_undo_Click() { TakeHistoryStep(HistoryDirection::kUndo); }
void Form1::edit_redo_Click() { TakeHistoryStep(HistoryDirection::kRedo); }

void Form1::edit_goto_Click() {
  if (!session_.IsOpen() || dialogs_.IsOpen()) return;
  const std::optional<QString> typed = dialogs_.AskEntryNumber(this, Messages::EntryNumberPrompt());
  if (!typed) return;
  bool number = false;
  const int entry = typed->trimmed().toInt(&number);
  if (!number || entry < kFirstEntry || entry > kLastEntry) {
    dialogs_.Warn(this, Messages::NoSuchEntry(*typed));
    return;
  }
  GoToEntry(entry);
}

void Form1::GoToEntry(std::int32_t entry) {
  // Through the same door as any change of entry: the list's own, which
  // raises no change for its current row.
  const int row = entry - kFirstEntry;
  if (List1->currentRow() == row) {
    List1_Click();
  } else {
    List1->setCurrentRow(row);
  }
}

void Form1::edit_find_Click() {
  if (session_.IsOpen() && !dialogs_.IsOpen()) search_->OpenWindow();
}

void Form1::TakeHistoryStep(HistoryDirection direction) {
  const std::int32_t named = session_.NextStepEntry(direction);
  if (named == 0 || dialogs_.IsOpen()) return;
  // As any change of entry would, this one settles the edits first.
  switch (SettleEdits()) {
    case Settled::kNoEdits:
      break;
    case Settled::kDropped:
      ShowEntryAt(ShownRow());  // the file's bytes again, in place of the edits
      break;
    case Settled::kSaved:
      // That Save is now the last step; the one the menu named is not taken.
      dialogs_.Warn(this, Messages::EditsSavedInstead(direction, session_.ShownEntry()));
      return;
    case Settled::kStayed:
      return;
  }
  const EditingSession::StepResult result = session_.TakeStep(direction, Texts(), display_);
  if (result.display) ShowDisplay(*result.display);
  if (result.display_failure) ShowNothing(*result.display_failure);
  // Refused for another program's change to the entry on show: the boxes show it.
  if (result.changed && result.entry == session_.ShownEntry()) ShowEntryAt(ShownRow(), /*quietly=*/true);
  RefreshState();
  status_->Tell(Messages::StepSummary(result, direction), result.entry);
  const Message problem = Messages::NotTaken(result, direction);
  if (!problem.text.isEmpty()) dialogs_.Warn(this, problem);
}

void Form1::UpdateEditMarks() {
  const BoxTexts texts = Texts();
  for (const FieldSlot& slot : kFieldTable) {
    Box(slot.box)->ShowAsEdited(session_.IsEdited(slot.box, texts[IndexOfBox(slot.box)]));
  }
  setWindowModified(session_.HasEdits(texts));
}

void Form1::RefreshState() {
  UpdateActions();
  UpdateEditMarks();
  if (session_.IsOpen()) status_->UpdateImage(session_.ImagePath(), session_.ImageWritable());
}

bool Form1::MaySessionEnd(bool may_ask) {
  if (!HasEdits()) return true;
  return may_ask && !dialogs_.IsOpen() && LeaveShownEntry();
}

void Form1::closeEvent(QCloseEvent* event) {
  if (!dialogs_.IsOpen() && LeaveShownEntry()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void Form1::dragEnterEvent(QDragEnterEvent* event) {
  if (DroppedFile(event->mimeData())) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void Form1::dropEvent(QDropEvent* event) {
  const std::optional<QString> dropped = DroppedFile(event->mimeData());
  if (!dropped) return event->ignore();
  event->acceptProposedAction();
  // Opened once the drop is over: questions asked during it would hold up
  // the file manager it came from.
  QTimer::singleShot(0, this, [this, path = ToPath(*dropped)] {
    if (!dialogs_.IsOpen()) Guarded([&] { OpenImage(path); });
  });
}

void Form1::edit_copypointer_Click() {
  if (!dialogs_.IsOpen()) Guarded([this] { CopyPointerToClipboard(); });
}

void Form1::CopyPointerToClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  // With an image open, the pointer as a Save would write it, or nothing:
  // five digits would be a pointer nobody has.
  if (session_.IsOpen()) {
    const BoxTexts texts = Texts();
    const std::optional<std::string> pointer = PointerAsSaved([&](int box) { return texts[IndexOfBox(box)]; });
    if (!pointer) {
      dialogs_.Warn(this, Messages::NoPointerToCopy());
      return;
    }
    clipboard->clear();
    clipboard->setText(QString::fromStdString(*pointer));
    return;
  }
  clipboard->clear();
  QString pointer;
  for (int box : kPointerBoxes) pointer += Box(box)->text();
  clipboard->setText(pointer);
}

void Form1::PointerBoxChange(FieldLineEdit* box) {
  // What the program fills in is a file's byte, two upper-case digits
  // already: only the user's typing has anything for the rule to mend.
  if (filling_boxes_) return;
  box->Correct(FilterHexInput(*box));
  typing_->Changed(box, /*by_user=*/true);
}

void Form1::Text2_Change() { PointerBoxChange(Text2); }
void Form1::Text3_Change() { PointerBoxChange(Text3); }
void Form1::Text4_Change() { PointerBoxChange(Text4); }

}  // namespace quorvane
