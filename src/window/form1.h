// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMainWindow>
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>

#include "rom/editing_session.h"
#include "rom/record_layout.h"
#include "window/dialog_gate.h"
#include "window/entry_list.h"
#include "window/field_line_edit.h"
#include "window/group_frame.h"
#include "window/record_typing.h"
#include "window/search_commands.h"
#include "window/status_line.h"
#include "window/user_interaction.h"

class QAction;
class QLabel;
class QMenu;

namespace quorvane {

// The one window: the list of 841 door entries, the ten boxes that show the
// selected entry's record bytes under their labels and frames, and the File
// and Edit menus. Every handler runs to completion on the one thread; each
// catches the failures of the work it starts and tells the user, so the
// program always goes on. Nothing the user typed is thrown away without
// asking first. What may be read and written, the editing session decides;
// the window maps its boxes to the session's bytes and asks the questions.
class Form1 : public QMainWindow {
  Q_OBJECT

  // Every dialog opens through here, one at a time (first, since
  // CommonDialog1 is one of its doors).
  DialogGate dialogs_;

 public:
  Form1(EditingSession& session, FileChooser& common_dialog, Notifier& notifier, QWidget* parent = nullptr);

  // Load handling: fills the list and builds the table of record offsets.
  // Run once, before the window is first shown.
  void Form_Load();

  FieldLineEdit* Box(int number) const { return boxes_.at(static_cast<std::size_t>(number - 1)); }
  const StatusLine& Status() const { return *status_; }
  FindWindow* FindEntry() const { return search_->Window(); }

  // Controls, named as the window names them; each carries that objectName.
  FieldLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6, *Text7, *Text8, *Text9, *Text10;
  QLabel *Label2, *Label3, *Label4, *Label5, *Label6;
  GroupFrame *Shape1, *Shape2, *Shape3, *Shape4, *Shape5;
  EntryList* List1;
  QMenu *file, *edit;
  QAction *file_open, *file_save, *file_space, *file_quit;
  QAction *edit_undo, *edit_redo, *edit_space, *edit_copypointer, *edit_copyx, *edit_copyy, *edit_space2;
  QAction *edit_find, *edit_findnext, *edit_findprevious, *edit_goto;
  FileChooser& CommonDialog1;

 public slots:
  void file_open_Click();
  void file_save_Click();
  void file_quit_Click();
  void edit_undo_Click();
  void edit_redo_Click();
  void edit_goto_Click();
  void edit_find_Click();
  void edit_copypointer_Click();
  void List1_Click();
  void Text2_Change();
  void Text3_Change();
  void Text4_Change();

 public:
  void CopyPointerToClipboard();
  // Whether the desktop session may end (log-off, shut-down): at once with
  // no unsaved edits; with some, only once the user saved or dropped them,
  // asked when the system lets the program ask.
  bool MaySessionEnd(bool may_ask);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // Building the window (form1_controls.cpp).
  void CreateControls();
  void CreateMenus();
  void PlaceControls();
  void SetTabOrder();

  // The commands (form1.cpp).
  void OpenImage(const std::filesystem::path& path);
  void ShowSelectedEntry() { ShowEntryAt(List1->currentRow()); }
  // Goes to an entry as the list does; to the current one, it is read
  // again, as a click on it does.
  void GoToEntry(std::int32_t entry);
  // Shows the entry at a list position, or, when it cannot be read, tells
  // the user and leaves every box empty and shut until one can be. Quietly,
  // the focus stays where it is and what the user must know goes to the
  // status line, not into a dialog.
  void ShowEntryAt(int row, bool quietly = false);
  void ShowDisplay(const EditingSession::Display& display, bool quietly = false);
  void ShowNothing(const RomFailure& failure, bool quietly = false);
  // Beside the user's other tools (form1_other_tools.cpp): after a Save
  // found the image replaced, offers to show the new file's entry with the
  // edits kept; and on the user's return from another program, asks again
  // whether the image can be written and reads the shown entry again if
  // nothing of the user's is in the way.
  void OfferNewFile(const BoxTexts& texts);
  void TakeOnNewFile(const BoxTexts& texts, DisplayToken display);
  void ApplicationStateChanged(Qt::ApplicationState state);
  // Undo or Redo of a Save, once the shown entry's edits are settled.
  void TakeHistoryStep(HistoryDirection direction);
  // Which actions are on, and what Undo and Redo name, as their owners say.
  void UpdateActions();
  // The title's mark and each edited box show what is not yet saved.
  void UpdateEditMarks();
  void RefreshState();
  // The list position of the entry the boxes show; -1 while none is.
  int ShownRow() const { return session_.ShownEntry() - 1; }
  // What a Save came to: the edits written, a box pointed out that holds no
  // byte (it has the focus), or not saved, as the user has been told or chose.
  enum class SaveOutcome { kSaved, kBoxPointedOut, kNotSaved };
  SaveOutcome SaveEdits();
  // After a dialog: whether the boxes still show what the user was asked
  // about. If not, the user hears that the answer was not acted on.
  bool StillAsAsked(DisplayToken display, const BoxTexts& texts);
  // Puts what a Save left in the file into the boxes, and tells the user
  // what went wrong, if anything did.
  SaveOutcome ShowSaveResult(const SaveResult& result, const BoxTexts& texts);
  BoxTexts Texts() const;
  bool HasEdits() const { return session_.HasEdits(Texts()); }
  // Before the shown entry's boxes are replaced: true when they may be,
  // having no edits, or the user saved or dropped them. Otherwise the list
  // keeps the shown entry, and the focus goes back where it was before the
  // question, unless a refused Save pointed out a box.
  enum class Settled { kNoEdits, kSaved, kDropped, kStayed };
  Settled SettleEdits();
  bool LeaveShownEntry() { return SettleEdits() != Settled::kStayed; }
  void StayOnShownEntry(QWidget* focus);
  void MoveHighlight(int row);
  void PointerBoxChange(FieldLineEdit* box);
  // Runs one handler's work and turns any failure into a warning; true when
  // the work ran to its end.
  bool Guarded(const std::function<void()>& work);

  EditingSession& session_;
  // The display the boxes' texts came from.
  DisplayToken display_ = 0;
  std::array<FieldLineEdit*, 10> boxes_{};
  RecordTyping* typing_ = nullptr;
  SearchCommands* search_ = nullptr;
  StatusLine* status_ = nullptr;
  // Set while the program itself moves the list's highlight, or fills the
  // boxes, so that neither counts as the user's doing.
  bool moving_highlight_ = false;
  bool filling_boxes_ = false;
  // Another program had the focus since the window last had it.
  bool away_ = false;
};

}  // namespace quorvane
