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

#include "rom/image_check.h"
#include "rom/record_layout.h"
#include "rom/save_check.h"
#include "window/hex_input_filter.h"

namespace quorvane {
namespace {

// The chosen name goes to the path as UTF-16, never through a narrow code
// page, so that any name the dialog offers reaches the file system intact;
// with the system's own separators, so that messages show it as the user's
// system writes it (C:\Users\...\door.smc on Windows).
std::filesystem::path ToPath(const QString& name) {
  return std::filesystem::path(QDir::toNativeSeparators(name).toStdU16String());
}

// A file's name as messages show it.
QString ShownName(const std::filesystem::path& path) { return QString::fromStdString(DisplayPath(path)); }

// The one local file that a drop carries, if that is what it carries.
std::optional<QString> DroppedFile(const QMimeData* data) {
  const QList<QUrl> urls = data->hasUrls() ? data->urls() : QList<QUrl>();
  if (urls.size() != 1 || !urls.first().isLocalFile()) return std::nullopt;
  return urls.first().toLocalFile();
}

}  // namespace

std::int32_t Form1::SelectedEntry() const {
  // The list position is held as a signed 16-bit number, -1 with nothing selected.
  const auto position = static_cast<std::int16_t>(List1->currentRow());
  return std::int32_t{position} + 1;
}

QString Form1::ImageName() const { return ShownName(module_.RomPath); }

void Form1::ShowByte(const FieldSlot& slot, const std::string& byte_text) {
  Box(slot.box)->SetText(byte_text);
  shown_.Remember(slot.box, byte_text);
}

bool Form1::Guarded(const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const std::exception& failure) {
    notifier_.Warn(this, QString::fromStdString(failure.what()));
    return false;
  }
}

void Form1::file_open_Click() {
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
  const CheckedImage checked = CheckImage(path);
  if (checked.SeemsToLackHeader()) {
    const QString question =
        tr("\"%1\" seems to have no 512-byte copier header: it is %2 bytes long, a whole number of "
           "kilobytes. Every offset here counts that header, so the bytes shown and saved would not be "
           "its door records.\n\nOpen it anyway?")
            .arg(ShownName(path))
            .arg(checked.size);
    if (!notifier_.AskToOpenAnyway(this, question)) return;
  }
  if (!LeaveShownEntry()) return;
  module_.RomPath = path;
  image_identity_ = checked.identity;
  for (const FieldSlot& slot : kFieldTable) Box(slot.box)->setEnabled(slot.editable);
  List1->setEnabled(true);
  // Shown here rather than through the list's change, which the list does
  // not raise when entry 1 is current already: the old image's bytes would
  // stay on screen, ready to be saved into the new one.
  MoveHighlight(0);
  ShowSelectedEntry();
}

void Form1::List1_Click() {
  if (moving_highlight_) return;
  const int target = List1->currentRow();
  if (!LeaveShownEntry()) return;
  if (List1->currentRow() != target) MoveHighlight(target);  // the question moved it back
  Guarded([this] { ShowSelectedEntry(); });
}

void Form1::ShowSelectedEntry() {
  const QScopedValueRollback filling(filling_boxes_, true);
  shown_row_ = List1->currentRow();
  shown_.Forget();
  // The image is checked again first, since it may have been deleted,
  // truncated or replaced since it was opened. All ten bytes are read before
  // any box changes; if that fails, every box is emptied rather than left
  // with a mix of two entries that a Save would write into this one. Empty
  // boxes cannot be saved.
  std::array<std::string, kFieldTable.size()> texts;
  FileIdentity identity{};
  try {
    identity = CheckImage(module_.RomPath).identity;
    for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
      texts[i] = module_.ReadFieldByte(SelectedEntry(), kFieldTable[i].position);
    }
  } catch (...) {
    for (FieldLineEdit* box : boxes_) box->clear();
    throw;
  }
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) ShowByte(kFieldTable[i], texts[i]);
  List1->setFocus(Qt::OtherFocusReason);

  const bool replaced = image_identity_ && *image_identity_ != identity;
  image_identity_ = identity;
  if (replaced) {
    notifier_.Warn(this, tr("\"%1\" has been replaced by another file since it was opened. "
                            "The entry shown now is read from the new file.")
                             .arg(ImageName()));
  }
}

bool Form1::HasEdits() const {
  // A byte the user may not change is never saved, so it is no edit to ask about.
  return std::any_of(kFieldTable.begin(), kFieldTable.end(), [this](const FieldSlot& slot) {
    return slot.editable && shown_.IsEdited(slot.box, Box(slot.box)->Text());
  });
}

bool Form1::LeaveShownEntry() {
  if (!HasEdits()) return true;
  // During a press on the list, the focus has already moved to it.
  const QPointer<QWidget> before = List1->FocusBeforePress() ? List1->FocusBeforePress() : focusWidget();
  // The question is about the entry shown, so the list shows that one while
  // it is asked, and a Save writes into it.
  MoveHighlight(shown_row_);
  const QString question = tr("Entry %1 has changes that have not been saved.\n\nSave them into \"%2\" first?")
                               .arg(shown_row_ + 1)
                               .arg(ImageName());
  switch (notifier_.AskAboutEdits(this, question)) {
    case Notifier::EditsAnswer::kSave: {
      SaveOutcome outcome = SaveOutcome::kFailed;
      Guarded([&] { outcome = SaveEdits(); });
      if (outcome == SaveOutcome::kSaved) return true;
      StayOnShownEntry(outcome == SaveOutcome::kBoxPointedOut ? nullptr : before.data());
      return false;
    }
    case Notifier::EditsAnswer::kDiscard:
      return true;
    case Notifier::EditsAnswer::kCancel:
      break;
  }
  StayOnShownEntry(before);
  return false;
}

void Form1::StayOnShownEntry(QWidget* focus) {
  MoveHighlight(shown_row_);
  // The list goes on selecting the entry that a mouse or key press moved to
  // after the change has been handled; put the highlight back once the
  // press is through.
  QTimer::singleShot(0, this, [this] { MoveHighlight(shown_row_); });
  if (focus != nullptr) focus->setFocus(Qt::OtherFocusReason);
}

void Form1::MoveHighlight(int row) {
  const QScopedValueRollback moving(moving_highlight_, true);
  List1->setCurrentRow(row);
}

void Form1::file_save_Click() {
  Guarded([this] { SaveEdits(); });
}

Form1::SaveOutcome Form1::SaveEdits() {
  if (module_.RomPath.empty()) {
    notifier_.Warn(this, tr("No image is open, so there is nothing to save. Open one with File > Open."));
    return SaveOutcome::kFailed;
  }
  if (SelectedEntry() < kFirstEntry) {
    notifier_.Warn(this, tr("No entry is selected, so there is nothing to save. Pick one in the list."));
    return SaveOutcome::kFailed;
  }
  // The image may have changed since the entry was shown: one that has
  // become too short would take half a record before the first failing
  // byte, and one replaced by another file would take bytes it never showed.
  if (CheckImage(module_.RomPath).identity != image_identity_) {
    notifier_.Warn(this, tr("\"%1\" has been replaced by another file since this entry was shown. "
                            "Nothing was saved. Click the entry in the list again to see what the new "
                            "file holds.")
                             .arg(ImageName()));
    return SaveOutcome::kFailed;
  }
  // Every box is checked before the first byte is written.
  const std::optional<InvalidField> invalid = FindInvalidField([this](int box) { return Box(box)->Text(); });
  if (invalid) {
    notifier_.Warn(this, QString::fromStdString(invalid->message));
    FieldLineEdit* box = Box(invalid->slot.box);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return SaveOutcome::kBoxPointedOut;
  }
  // Only what the user changed is written, so that a byte another program
  // changed in the file since it was shown is not put back; the rest is read
  // again, and all ten boxes then show the record as the file holds it. A
  // byte the user may not change is never written. Should a write fail,
  // the boxes written so far count as saved and the others as edited.
  const QScopedValueRollback filling(filling_boxes_, true);
  std::array<bool, kFieldTable.size()> written{};
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    FieldLineEdit* box = Box(kFieldTable[i].box);
    if (!kFieldTable[i].editable || !shown_.IsEdited(kFieldTable[i].box, box->Text())) continue;
    module_.WriteFieldByte(SelectedEntry(), *box, kFieldTable[i].position);
    shown_.Remember(kFieldTable[i].box, box->Text());
    written[i] = true;
  }
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
    if (written[i]) continue;
    ShowByte(kFieldTable[i], module_.ReadFieldByte(SelectedEntry(), kFieldTable[i].position));
  }
  return SaveOutcome::kSaved;
}

void Form1::file_quit_Click() { close(); }

void Form1::closeEvent(QCloseEvent* event) {
  if (LeaveShownEntry()) {
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
  QTimer::singleShot(0, this, [this, path = ToPath(*dropped)] { Guarded([&] { OpenImage(path); }); });
}

void Form1::edit_copypointer_Click() {
  Guarded([this] { CopyPointerToClipboard(); });
}

void Form1::CopyPointerToClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  QString pointer;
  for (int box : kPointerBoxes) pointer += Box(box)->text();
  clipboard->setText(pointer);
}

void Form1::PointerBoxChange(FieldLineEdit* box, FieldLineEdit* next) {
  box->SetText(FilterHexInput(*box));
  // Only the user's own typing or pasting passes the focus on. The program
  // filling the boxes never moves it: a screen reader would lose the list's
  // announcement of the entry to focus jumping about.
  if (next != nullptr && box->text().size() == 2 && box->hasFocus() && !filling_boxes_) {
    // Focus passes on as Tab would pass it, with the next box's text
    // selected, so the next digits typed replace the ones shown.
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
  }
}

void Form1::Text2_Change() { PointerBoxChange(Text2, Text3); }
void Form1::Text3_Change() { PointerBoxChange(Text3, Text4); }
void Form1::Text4_Change() { PointerBoxChange(Text4, nullptr); }

}  // namespace quorvane
