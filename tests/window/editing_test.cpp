// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Editing an entry: typing into the pointer boxes, Save, Copy Pointer, and
// the question asked before anything would throw edits away.
#include <QAccessible>
#include <QClipboard>
#include <QLabel>
#include <QSignalSpy>

#include "form_harness.h"

using namespace quorvane;
using namespace quorvane::testing;
using Answer = Notifier::EditsAnswer;
using ChangedAnswer = Notifier::ChangedElsewhereAnswer;
Q_DECLARE_METATYPE(Notifier::EditsAnswer)
Q_DECLARE_METATYPE(Notifier::ChangedElsewhereAnswer)

class EditingTest : public QObject {
  Q_OBJECT

  std::unique_ptr<SyntheticImage> image;
  std::unique_ptr<FormHarness> harness;
  std::vector<std::uint8_t> original;
  Form1* form = nullptr;

  QString Changed() const { return QString::fromStdString(Changes(original, image->Bytes())); }
  // The Edit menu's Undo and Redo items.
  QString Steps() const {
    const auto item = [](const QAction* action) { return action->text() + (action->isEnabled() ? "" : " (off)"); };
    return item(form->edit_undo) + " | " + item(form->edit_redo);
  }
  // Another program writes a new image and renames it over this one.
  void Rebuild(const std::vector<std::uint8_t>& bytes) const {
    WriteWholeFile(image->folder() / "made.smc", bytes);
    std::filesystem::rename(image->folder() / "made.smc", image->path());
  }
  // What the status line says of the last command.
  QString Said() const { return form->Status().Text().section(" | ", 1); }
  QString Highlighted() const {
    QStringList rows;
    for (const QListWidgetItem* item : form->List1->selectedItems()) rows.append(item->text());
    return rows.join(", ") + " / current " + form->List1->currentItem()->text();
  }

 private slots:
  void init() {
    harness.reset();  // the last test's window goes before its image
    image = std::make_unique<SyntheticImage>();
    image->Poke(0xF0200, kRecord);
    image->Poke(0xF020B, std::vector<std::uint8_t>(11, 0x22));  // entry 2
    image->Poke(0xF0748, {0x33});                               // entry 123's Style
    original = image->Bytes();
    harness = std::make_unique<FormHarness>();
    form = &harness->form;
    harness->Open(image->path());
  }

  void thePointerFilterMendsPastesAndCopyPointerCopiesWhatSaveWrites() {
    // A trailing character that is no hex digit goes whole, and the one before
    // it is looked at again: "ZZ", a typed "ä", one character of two UTF-16
    // units, and an Arabic-Indic three (a digit elsewhere, not here).
    for (const char* pasted : {"ZZ", "\xC3\xA4", "\xF0\x9F\x98\x80", "\xD9\xA3"}) {
      QGuiApplication::clipboard()->setText(QString::fromUtf8(pasted));
      harness->FocusBox(3);
      form->Text3->paste();
      QCOMPARE(form->Text3->text(), QString());
    }
    QGuiApplication::clipboard()->setText("Z1");  // full, so the focus passes on
    harness->FocusBox(2);
    form->Text2->paste();
    QCOMPARE(form->Text2->text() + " " + harness->Focused()->objectName(), QString("Z1 Text3"));
    form->Text2->setText("C3");
    form->Text3->setText("5");
    QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("C3055F"));
    form->Text3->setText("x0");  // no byte: nothing copied, and the user told
    QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text() + " " + QString::number(harness->dialogs.warnings.size()),
             "C3055F 1");
  }

  void typingFlowsThroughTheBoxesAsPeopleType_data() {
    QTest::addColumn<int>("start");  // the box given the focus, its text selected; negative: clicked, caret at the end
    // Typed, or keys by name (Tab, Backspace, Ctrl+V, Ctrl+S, Ctrl+Z, Redo: the platform's), or Click (at the end
    // of the box with the focus), BoxN (Box N given the focus, its text selected), List (the list given the focus).
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("saved");  // by Ctrl+S afterwards
    QTest::addColumn<QString>("told");   // what the user is told, if anything
    // clang-format off
    QTest::newRow("typed in one go") << 2 << "ab0a1f2x" << "" << "F0200=02 F0201=0A F0202=AB" << "";
    QTest::newRow("a letter that is no digit") << 2 << "ag" << "" << "F0202=0A" << "";
    QTest::newRow("keys the rule drops, into a full box") << -2 << "g-" << "" << "" << "";
    QTest::newRow("a key the rule drops, in the middle") << -2 << "Home Right g" << "" << "" << "";
    QTest::newRow("Tab after the focus passed on") << 2 << "D1 Tab E2 Tab F3" << "" << "F0200=F3 F0201=E2 F0202=D1" << "";
    QTest::newRow("Backspace after the focus passed on") << 2 << "D4 Backspace 1" << "" << "F0202=D1" << "";
    // The moment after the focus passed on ends with anything else.
    QTest::newRow("Backspace after a Save") << 2 << "c3ab Ctrl+S Backspace e" << "" << "F0200=5E F0201=AB" << "";
    QTest::newRow("Backspace after a click") << 2 << "c3ab Click Backspace e" << "" << "F0200=5E F0201=AB" << "";
    QTest::newRow("Tab after a click") << 2 << "c3 Click Tab 44" << "" << "F0200=44" << "";
    QTest::newRow("0120 into X") << 5 << "0120" << "" << "F0206=20 F0207=01" << "";
    QTest::newRow("1122 into Y") << 7 << "1122" << "" << "F0208=22 F0209=11" << "";
    QTest::newRow("Y from the list, left to right") << 0 << "Tab 11 Tab 22 Tab 33" << "" << "F0208=33 F0209=22 F020A=11" << "";
    QTest::newRow("D01234 into a full high box") << -2 << "D01234" << "" << "F0200=34 F0201=12 F0202=D0" << "";
    QTest::newRow("a whole pointer pasted") << 2 << "Ctrl+V" << "d1e2f3" << "F0200=F3 F0201=E2 F0202=D1" << "";
    QTest::newRow("a pointer pasted into the middle box") << 3 << "Ctrl+V" << "D1E2F3" << "F0200=F3 F0201=E2 F0202=D1" << "";
    QTest::newRow("four digits pasted into X") << 6 << "Ctrl+V" << "0120" << "F0206=20 F0207=01" << "";
    QTest::newRow("a pointer pasted into X") << 5 << "Ctrl+V" << "C3A05F" << "" << "kPasteRefused | C3A05F";
    QTest::newRow("a pointer pasted into Style") << 1 << "Ctrl+V" << "C3A05F" << "" << "kPasteRefused | C3A05F";
    QTest::newRow("four digits pasted into a pointer box") << 3 << "Ctrl+V" << "0120" << "" << "kPasteRefused | 0120";
    QTest::newRow("seven digits pasted") << 2 << "Ctrl+V" << "D1E2F34" << "" << "kPasteRefused | D1E2F34";
    QTest::newRow("letters pasted") << 5 << "Ctrl+V" << "hello" << "" << "kPasteRefused | hello";
    QTest::newRow("a pasted pointer taken back") << 2 << "Ctrl+V Ctrl+Z" << "D1E2F3" << "" << "";
    QTest::newRow("a pasted pointer taken back in another box") << 2 << "Ctrl+V Shift+Tab Ctrl+Z" << "ED1F6A" << "" << "";
    QTest::newRow("taken back after a refused Save") << 2 << "Ctrl+V Box5 zz Ctrl+S Box3 Ctrl+Z Box5 12" << "ED1F6A" << "" << "kNotSaved | entry 1 | box 5 | zz";
    QTest::newRow("each value's paste taken back whole") << 5 << "Ctrl+V Box7 Ctrl+V Ctrl+Z Box5 Ctrl+Z" << "ABCD" << "" << "";
    QTest::newRow("and put back") << 2 << "Ctrl+V Shift+Tab Ctrl+Z Redo" << "ED1F6A" << "F0200=6A F0201=1F F0202=ED" << "";
    QTest::newRow("a byte pasted into a full box") << -1 << "Ctrl+V" << " 7e " << "F020A=7E" << "";
    QTest::newRow("Shift+Insert pastes too") << 7 << "Shift+Insert" << "ABCD" << "F0208=CD F0209=AB" << "";
    // The Undo keys go to a box while it has something of its own to take, never to a Save while a box holds an edit;
    // otherwise they take the Save back, or make it again.
    QTest::newRow("Undo in a box that holds an edit") << 1 << "05 Ctrl+S Box4 1f Ctrl+Z" << "" << "F020A=05" << "";
    QTest::newRow("Undo in the list while a box holds an edit") << 1 << "05 Ctrl+S Box4 1f List Ctrl+Z" << "" << "F0200=1F F020A=05" << "";
    QTest::newRow("Undo and Redo of a Save") << 1 << "05 Ctrl+S Ctrl+Z Redo" << "" << "F020A=05" << "";
    QTest::newRow("Redo after a box's own Undo") << 1 << "05 Ctrl+S Ctrl+Z Box5 7 Ctrl+Z Redo" << "" << "F0207=07" << "";
    QTest::newRow("Redo in a box that holds an edit") << 1 << "05 Ctrl+S Ctrl+Z Box5 7 Redo" << "" << "F0207=07" << "";
    // clang-format on
  }
  void typingFlowsThroughTheBoxesAsPeopleType() {
    QFETCH(int, start);
    QFETCH(QString, keys);
    QFETCH(QString, clipboard);
    QFETCH(QString, saved);
    QFETCH(QString, told);
    QGuiApplication::clipboard()->setText(clipboard);
    if (start == 0) form->List1->setFocus(Qt::TabFocusReason);
    if (start > 0) harness->FocusBox(start);
    if (start < 0) {
      form->Box(-start)->setFocus(Qt::MouseFocusReason);
      form->Box(-start)->end(false);
    }
    for (const QString& key : keys.split(' ')) {
      QWidget* focused = harness->Focused();
      if (key == "Click")
        QTest::mouseClick(focused, Qt::LeftButton, {}, QPoint(focused->width() - 3, focused->height() / 2));
      if (key.startsWith("Box")) harness->FocusBox(key.mid(3).toInt());
      if (key == "List") form->List1->setFocus(Qt::TabFocusReason);
      if (key != "Click" && !key.startsWith("Box") && key != "List") harness->Press(key);
    }
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Changed(), saved);
    QCOMPARE(Facts(harness->dialogs.warnings), told.isEmpty() ? QStringList() : QStringList(told));
  }

  void theWindowAndTheSessionEndOnlyOnceTheEditsAreSettled() {
    QVERIFY(form->MaySessionEnd(false));  // nothing unsaved
    form->Text1->setText("77");
    QVERIFY(!form->MaySessionEnd(false));  // not asked: refused
    QVERIFY(!form->MaySessionEnd(true));   // asked, Cancel
    QVERIFY(!form->close());               // asked, Cancel
    QVERIFY(form->isVisible());
    harness->dialogs.edits_answer = Answer::kDiscard;
    QVERIFY(form->MaySessionEnd(true));
    QCOMPARE(harness->dialogs.asked.size(), 4);  // the Open dialog, then three questions
    QCOMPARE(form->Text1->text(), QString("77"));
  }

  void showingOrSavingNeverMovesTheFocus() {
    QSignalSpy moves(qApp, &QApplication::focusChanged);
    for (auto key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Home}) QTest::keyClick(form->List1, key);
    QCOMPARE(harness->Record(), kRecordShown);
    harness->FocusBox(2);
    harness->Type("7");
    form->file_save_Click();  // the refresh fills Text2 with two digits
    QCOMPARE(form->Text2->text(), QString("07"));
    QCOMPARE(moves.count(), 1);  // only the user's own move to Text2
    QCOMPARE(harness->Focused(), form->Text2);
  }

  void anotherProgramsChangeIsShownAndTheUserChooses_data() {
    QTest::addColumn<ChangedAnswer>("answer");
    QTest::addColumn<QString>("changes");
    QTest::addColumn<QString>("record");  // what the boxes show then
    // clang-format off
    QTest::newRow("reload") << ChangedAnswer::kReload << "F0200=66" << "09 C3 A0 66 12 34 56 78 11 22";
    QTest::newRow("save mine") << ChangedAnswer::kSaveMine << "F0200=66 F020A=05" << "05 C3 A0 66 12 34 56 78 11 22";
    QTest::newRow("cancel") << ChangedAnswer::kCancel << "F0200=66" << "5 C3 A0 5F 12 34 56 78 11 22";
    // clang-format on
  }
  void anotherProgramsChangeIsShownAndTheUserChooses() {
    QFETCH(ChangedAnswer, answer);
    QFETCH(QString, changes);
    QFETCH(QString, record);
    image->Poke(0xF0200, {0x66});  // another program changes the pointer's low byte
    form->Text1->setText("5");
    form->Text4->setText("5f");  // what it showed, in other letters: no edit
    harness->dialogs.changed_elsewhere_answer = answer;
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(Facts(harness->dialogs.questions), QStringList("kChangedElsewhere | entry 1 | image.smc | 5F 66"));
    QCOMPARE(Changed(), changes);
    QCOMPARE(harness->Record(), record);
  }

  void whateverWouldDropEditsAsksFirst_data() {
    QTest::addColumn<QString>("action");  // with "5" typed into Style
    QTest::addColumn<Answer>("answer");
    // The image's changes | the highlighted entry | Style's text | where the focus is, and what is selected there.
    QTest::addColumn<QString>("after");
    // clang-format off
    QTest::newRow("Down, Save") << "Down" << Answer::kSave << "F020A=05 | Entry 2 / current Entry 2 | 22 | List1";
    QTest::newRow("a click, Cancel") << "click" << Answer::kCancel << " | Entry 1 / current Entry 1 | 5 | Text1";
    // A number typed over edits moves once it is whole: asked once, about the entry typed.
    QTest::newRow("123, Cancel") << "123" << Answer::kCancel << " | Entry 1 / current Entry 1 | 5 | List1";
    QTest::newRow("123, Don't Save") << "123" << Answer::kDiscard << " | Entry 123 / current Entry 123 | 33 | List1";
    // The Save is refused, and the box at fault pointed out.
    QTest::newRow("zz in X, Save") << "click on the shown entry" << Answer::kSave << " | Entry 1 / current Entry 1 | 5 | Text5 zz";
    QTest::newRow("Open, Don't Save") << "open" << Answer::kDiscard << " | Entry 1 / current Entry 1 | 44 | List1";
    QTest::newRow("Quit, Don't Save") << "quit" << Answer::kDiscard << " | Entry 1 / current Entry 1 | 5 | closed";
    QTest::newRow("an empty name, Cancel") << "an empty name" << Answer::kCancel << " | Entry 1 / current Entry 1 | 5 | Text1";
    // Edit > Undo of a Save of Y's low byte; saving the edits makes their Save the one to undo, and undoes nothing.
    QTest::newRow("Undo, Cancel") << "undo" << Answer::kCancel << "F0208=99 | Entry 1 / current Entry 1 | 5 | Text1";
    QTest::newRow("Undo, Don't Save") << "undo" << Answer::kDiscard << " | Entry 1 / current Entry 1 | 09 | List1";
    QTest::newRow("Undo, Save") << "undo" << Answer::kSave << "F0208=99 F020A=05 | Entry 1 / current Entry 1 | 05 | Text1";
    // clang-format on
  }
  void whateverWouldDropEditsAsksFirst() {
    QFETCH(QString, action);
    QFETCH(Answer, answer);
    QFETCH(QString, after);
    SyntheticImage other(kFullImageSize, "other.smc");
    other.Poke(0xF020A, {0x44});
    if (action.endsWith("shown entry")) form->Text5->setText("zz");
    if (action == "undo") form->Text8->setText("99"), form->file_save_Click();
    harness->FocusBox(1);
    harness->Type("5");
    harness->dialogs.edits_answer = answer;
    if (action == "Down") QTest::keyClick(form->List1, Qt::Key_Down);
    if (action.startsWith("click")) harness->ClickEntry(action == "click" ? 1 : 0);
    if (action == "123") {
      form->List1->setFocus(Qt::TabFocusReason);
      QTest::keyClicks(form->List1, "123");
      form->List1->TypingPaused();
    }
    if (action == "open") harness->Open(other.path());
    if (action == "quit") QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier);
    if (action == "undo") form->edit_undo->trigger();
    if (action == "an empty name") {
      harness->dialogs.names = {QString()};
      form->file_open_Click();
    }
    QCoreApplication::processEvents();
    QCOMPARE(Facts(harness->dialogs.questions.value(0)), QString("kHasEdits | entry 1 | image.smc"));
    QCOMPARE(harness->dialogs.warnings.size(),
             form->Text5->text() == "zz" || after.startsWith("F0208=99 F020A") ? 1 : 0);
    const auto* box = qobject_cast<QLineEdit*>(harness->Focused());
    const QString focus = !form->isVisible()              ? "closed"
                          : box && box->hasSelectedText() ? box->objectName() + " " + box->selectedText()
                                                          : harness->Focused()->objectName();
    QCOMPARE(QStringList({Changed(), Highlighted(), form->Text1->text(), focus}).join(" | "), after);
  }

  void undoNamesItsStepAndRefusesAfterAnotherProgramsChange() {
    form->Text1->setText("05");
    form->file_save_Click();
    QCOMPARE(Steps(), QString("&Undo Save of Entry 1 | &Redo (off)"));
    QTest::keyClick(form->List1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Changed() + " | " + Steps(), QString(" | &Undo (off) | &Redo Save of Entry 1"));
    QTest::keySequence(form->List1, QKeySequence::Redo);
    image->Poke(0xF020A, {0x66});  // another program's Style
    QTest::keyClick(form->List1, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(Facts(harness->dialogs.warnings), QStringList("kNotTaken | entry 1 | box 1 | 05 66"));
    QCOMPARE(form->Text1->text(), QString("66"));
  }

  void theStatusLineAndAssistiveSoftwareTellWhatIsNotSaved() {
    // (The title's and the boxes' marks are checked after every step of the model-driven test.)
    QCOMPARE(form->Status().Text(), QString::fromStdString(DisplayPath(image->path())));
    form->Text5->setText("99");
    QCOMPARE(form->Text5->accessibleDescription(), QString("record byte 7 of 0 to 10, changed, not saved"));
    QVERIFY(form->Text5->palette().color(QPalette::Base).rgb() != form->Text6->palette().color(QPalette::Base).rgb());
    form->file_save_Click();
    QCOMPARE(Said() + " | " + form->Text5->accessibleDescription(),
             QString("Saved 1 byte into Entry 1 | record byte 7 of 0 to 10"));
    form->edit_undo->trigger();
    QCOMPARE(Said(), QString("Undid the Save of Entry 1"));
  }

  void goToEntryRefusesWhatIsNoEntryAndAsksBeforeEditsAreDropped() {
    const auto go = [this](const char* typed) {
      harness->dialogs.entry_number = QString(typed);
      QTest::keyClick(form, Qt::Key_G, Qt::ControlModifier);
      return form->List1->currentItem()->text();
    };
    QCOMPARE(QStringList({go("0"), go("842"), go("x"), go("841"), go(" 1")}),
             QStringList({"Entry 1", "Entry 1", "Entry 1", "Entry 841", "Entry 1"}));
    QCOMPARE(Facts(harness->dialogs.warnings),
             QStringList({"kNoSuchEntry | 0", "kNoSuchEntry | 842", "kNoSuchEntry | x"}));
    form->Text1->setText("77");
    QCOMPARE(go("2"), QString("Entry 1"));  // Cancel
    QCOMPARE(Facts(harness->dialogs.questions), QStringList("kHasEdits | entry 1 | image.smc"));
    // The entry already current is read again, as a click on it does: here once its file is back.
    harness->dialogs.edits_answer = Answer::kDiscard;
    const std::filesystem::path away = image->folder() / "away.smc";
    std::filesystem::rename(image->path(), away);
    QCOMPARE(go("2"), QString("Entry 2"));
    QCOMPARE(form->Text1->text(), QString());
    std::filesystem::rename(away, image->path());
    QCOMPARE(go("2"), QString("Entry 2"));
    QCOMPARE(form->Text1->text(), QString("22"));
  }

  void findGoesToTheEntriesThatHoldAValue() {
    image->Poke(0xF07AC, {0x5F, 0xA0, 0xC3});  // entry 129 holds entry 1's pointer too
    // What a screen reader reads of the status line and of the find window,
    // both notifications, which it says as they come.
    const auto heard = [this](QObject* window, const char* label) {
      QAccessibleInterface* words = QAccessible::queryAccessibleInterface(window->findChild<QLabel*>(label));
      return words->role() == QAccessible::Notification ? words->text(QAccessible::Name) : QString("(unsaid)");
    };
    const auto found = [&] {
      const QString status = heard(form, "status_last");
      const QString find = heard(form->FindEntry(), "find_message");
      return form->List1->currentItem()->text() + " | " + (status == find ? status : status + " / " + find);
    };
    QTest::keyClick(form, Qt::Key_F, Qt::ControlModifier);
    QLineEdit* value = form->FindEntry()->Value();
    QCOMPARE(value->selectedText() + " " + form->FindEntry()->focusWidget()->objectName(),
             QString("C3A05F find_value"));
    QTest::keyClick(value, Qt::Key_Return);  // Find Next
    QCOMPARE(found(), QString("Entry 129 | Entry 129: 2 of 2 entries hold Text Pointer C3A05F"));
    QTest::keyClick(value, Qt::Key_F3);
    QCOMPARE(found(), QString("Entry 1 | Entry 1: 1 of 2 entries hold Text Pointer C3A05F, on from Entry 1"));
    QTest::keyClick(value, Qt::Key_F3, Qt::ShiftModifier);
    QCOMPARE(found(), QString("Entry 129 | Entry 129: 2 of 2 entries hold Text Pointer C3A05F, back from Entry 841"));
    value->setText("12");
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(found(), QString("Entry 129 | Entry 129: 2 of 2 entries hold Text Pointer C3A05F, back from Entry 841 / "
                              "A Text Pointer is 6 hexadecimal digits."));
    value->setText("123456");
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(found(), QString("Entry 129 | No entry holds Text Pointer 123456"));
    value->setText("222222");  // entry 2's pointer, which it alone holds
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(found(), QString("Entry 2 | Entry 2 is the only entry that holds Text Pointer 222222, on from Entry 1"));
    value->setText("C3A05F");
    form->Text1->setText("77");  // Cancel keeps the edits where they are
    QTest::keyClick(value, Qt::Key_Return);
    QCOMPARE(form->List1->currentItem()->text() + " " + form->Text1->text(), QString("Entry 2 77"));
    QCOMPARE(Facts(harness->dialogs.questions), QStringList("kHasEdits | entry 2 | image.smc"));
    std::filesystem::remove(image->path());  // a search that stops takes back what the last one said
    QCOMPARE((form->edit_findnext->trigger(), Said()), QString());
  }

  void aSearchSpeaksOfTheImageAsItIsNow() {
    image->Poke(0xF07AC, {0x5F, 0xA0, 0xC3});  // entry 129 holds entry 1's pointer too
    QTest::keyClick(form, Qt::Key_F, Qt::ControlModifier);
    QTest::keyClick(form->FindEntry()->Value(), Qt::Key_Return);
    form->List1->setCurrentRow(129);  // what it found gives way as the user moves on
    QCOMPARE(Said(), QString());
    // Entry 130 given the pointer, and saved by the question on the way to the next.
    for (int box = 2; box <= 4; ++box) form->Box(box)->setText(QStringList{"C3", "A0", "5F"}[box - 2]);
    harness->dialogs.edits_answer = Answer::kSave;
    form->edit_findnext->trigger();
    QCOMPARE(Said(), QString("Entry 1: 1 of 3 entries hold Text Pointer C3A05F, on from Entry 1"));
    // Another file put in the image's place: the search goes on in it, the user told once.
    Rebuild(image->Bytes());
    form->edit_findnext->trigger();
    form->edit_findnext->trigger();
    QCOMPARE(Said(), QString("Entry 130: 3 of 3 entries hold Text Pointer C3A05F"));
    QCOMPARE(Facts(harness->dialogs.warnings), QStringList("kReplaced | image.smc"));
    image->Poke(0xF07B7, {0x00});  // another program changes entry 130's pointer: what was said gives way
    for (auto state : {Qt::ApplicationInactive, Qt::ApplicationActive}) emit qApp->applicationStateChanged(state);
    QCOMPARE(Said() + QString::number(form->FindEntry()->findChild<QLabel*>("find_message")->isVisible()), "0");
  }

  void aRebuiltImageIsShownWithTheEditsKeptAndIsFreshOnReturn() {
    form->Text1->setText("05");
    form->file_save_Click();
    std::vector<std::uint8_t> rebuilt = image->Bytes();
    rebuilt[0xF0206] = 0x99;  // entry 1's X low byte, which Text6 shows
    form->Text4->setText("00");
    harness->dialogs.show_new_file = true;
    Rebuild({rebuilt.begin(), rebuilt.begin() + 0xF0300});  // too short to serve: nothing changes
    form->file_save_Click();
    Rebuild(rebuilt);
    harness->dialogs.show_new_file = false;  // Cancel
    form->file_save_Click();
    QCOMPARE(harness->Record(), QString("05 C3 A0 00 12 34 56 78 11 22"));
    // Shown from the question a move asked: the move stops there.
    harness->dialogs.show_new_file = true;
    harness->dialogs.edits_answer = Answer::kSave;
    form->List1->setCurrentRow(1);
    QCOMPARE(QStringList({harness->Record(), Highlighted(), Changed(), Steps(), form->isWindowModified() ? "*" : ""}),
             QStringList({"05 C3 A0 00 12 99 56 78 11 22", "Entry 1 / current Entry 1", "F0206=99 F020A=05",
                          "&Undo (off) | &Redo (off)", "*"}));
    QCOMPARE(Facts(harness->dialogs.warnings), QStringList("kNewFileUnfit | image.smc | too short | F0300"));
    // Back from another program that changed the entry: read again, no dialog, the focus kept.
    form->file_save_Click();
    image->Poke(0xF0207, {0x77});
    harness->FocusBox(3);
    for (auto state : {Qt::ApplicationInactive, Qt::ApplicationActive}) emit qApp->applicationStateChanged(state);
    QCOMPARE(harness->Record() + " " + harness->Focused()->objectName() + " " +
                 QString::number(harness->dialogs.warnings.size()),
             QString("05 C3 A0 00 77 99 56 78 11 22 Text3 1"));
    // With nothing to save, a Save shows the new file's entry and says so; there are no changes to ask about.
    const qsizetype asked = harness->dialogs.questions.size();
    Rebuild(std::vector<std::uint8_t>(kFullImageSize, 0x44));
    form->file_save_Click();
    QCOMPARE(QStringList({harness->Record(), QString::number(harness->dialogs.questions.size() - asked),
                          Facts(harness->dialogs.warnings.last()), harness->Focused()->objectName()}),
             QStringList({"44 44 44 44 44 44 44 44 44 44", "0", "kReplaced | image.smc", "Text3"}));
  }

  void assistiveSoftwareChangesOnlyWhatTheUserCouldType() {
    QAccessibleInterface* unknown = QAccessible::queryAccessibleInterface(form->Text9);
    QAccessible::queryAccessibleInterface(form->Text1)->setText(QAccessible::Value, "5");
    unknown->setText(QAccessible::Value, "FF");
    unknown->editableTextInterface()->replaceText(0, 2, "EE");
    QVERIFY(!unknown->state().editable && unknown->state().readOnly);
    QCOMPARE(harness->Record(), QString("5 C3 A0 5F 12 34 56 78 11 22"));
  }

  void browsingAsksNothingAndTheHighlightIsAlwaysOnTheShownEntry() {
    image->Poke(0xF020A, {0xAB});
    harness->ClickEntry(0);  // a click on the shown entry reads it again
    harness->FocusBox(1);
    harness->Type("ab");  // what it showed already, in other letters
    harness->FocusBox(5);
    harness->Type("12");
    // An entry's number goes to it; a pause starts a new number, and letters
    // or a number past the last entry go nowhere.
    const auto type_into_list = [this](const char* keys) {
      form->List1->TypingPaused();
      QTest::keyClicks(form->List1, keys);
      return form->List1->currentItem()->text();
    };
    QCOMPARE(QStringList({type_into_list("123"), type_into_list("7"), type_into_list("entry"), type_into_list("842"),
                          type_into_list("0")}),
             QStringList({"Entry 123", "Entry 7", "Entry 7", "Entry 84", "Entry 84"}));
    QCOMPARE(harness->dialogs.asked.size(), 1);  // no question after the Open dialog
    form->List1->setCurrentRow(0);
    harness->ClickEntry(0, Qt::ControlModifier);
    QCOMPARE(Highlighted(), QString("Entry 1 / current Entry 1"));
    QTest::keyClick(form->List1, Qt::Key_Space, Qt::ControlModifier);
    QCOMPARE(Highlighted(), QString("Entry 1 / current Entry 1"));
    QTest::keyClick(form->List1, Qt::Key_Down, Qt::ControlModifier);
    QCOMPARE(Highlighted(), QString("Entry 2 / current Entry 2"));
  }
};

QTEST_MAIN(EditingTest)
#include "editing_test.moc"
