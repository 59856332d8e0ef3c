// The window from start-up on: its list and boxes, where the controls sit,
// the keyboard and the menus, what assistive software and the message boxes
// make of it; opening an image and showing its entries, what is refused or
// asked before an image is taken, a dropped file, and the image changing
// behind the window's back.
#include <QAbstractButton>
#include <QAccessible>
#include <QAccessibleTextInterface>
#include <QClipboard>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QSignalSpy>
#include <QTimer>
#include <array>
#include <fstream>

#include "form_harness.h"

using namespace quorvane;
using namespace quorvane::testing;
namespace fs = std::filesystem;

enum class Fault { kDeleted, kFolder, kTruncated, kReplaced, kReadOnly };
Q_DECLARE_METATYPE(Fault)

namespace {

void Inflict(Fault fault, const SyntheticImage& image) {
  if (fault == Fault::kDeleted || fault == Fault::kFolder) fs::remove(image.path());
  if (fault == Fault::kFolder) fs::create_directory(image.path());
  if (fault == Fault::kTruncated) fs::resize_file(image.path(), 0xF0300);
  if (fault == Fault::kReplaced) {  // as a tool that saves by renaming a new file over the old one does
    WriteWholeFile(image.folder() / "new.tmp", std::vector<std::uint8_t>(kFullImageSize, 0x3C));
    fs::rename(image.folder() / "new.tmp", image.path());
  }
  if (fault == Fault::kReadOnly) {
    fs::permissions(image.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  }
}

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<SyntheticImage> image;
  std::unique_ptr<FormHarness> harness;
  Form1* form = nullptr;
  QRect Place(const QString& name) const { return form->findChild<QWidget*>(name)->geometry(); }

 private slots:
  void init() {
    image = std::make_unique<SyntheticImage>();
    harness = std::make_unique<FormHarness>();
    form = &harness->form;
  }
  void cleanup() {
    harness.reset();
    image.reset();
  }

  void startsWithEveryEntryListedAndNothingToEdit() {
    const QListWidget& list = *form->List1;
    QCOMPARE(list.count(), 841);
    QCOMPARE(QStringList({list.item(0)->text(), list.item(9)->text(), list.item(840)->text(), list.item(4)->toolTip(),
                          list.item(840)->toolTip()}),
             QStringList({"Entry 1", "Entry 10", "Entry 841", "Entry 5: bytes F022C\u2013F0236",
                          "Entry 841: bytes F2843\u2013F284D"}));
    QCOMPARE(list.currentRow(), -1);
    QVERIFY(!list.isEnabled());
    for (int box = 1; box <= 10; ++box) {
      QVERIFY(!form->Box(box)->isEnabled() && form->Box(box)->text().isEmpty());
      form->Box(box)->setText("ABC");  // eight boxes take two characters, the Unknown ones any number
      QCOMPARE(form->Box(box)->text().size(), box <= 8 ? 2 : 3);
    }
    QVERIFY(!(form->windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form->minimumSize(), form->maximumSize());
  }

  void controlsKeepTheirPlacesInsideTheirLabelledFrames() {
    // Label, its caption, its frame, and the frame's boxes as they read from left to right.
    const QStringList groups[] = {{"Label5", "Text Pointer:", "Shape2", "Text2", "Text3", "Text4"},
                                  {"Label6", "Unknown:", "Shape3", "Text9", "Text10"},
                                  {"Label4", "Style:", "Shape1", "Text1"},
                                  {"Label2", "X:", "Shape4", "Text5", "Text6"},
                                  {"Label3", "Y:", "Shape5", "Text7", "Text8"}};
    QList<QRect> placed;
    for (const QStringList& group : groups) {
      const auto* label = form->findChild<QLabel*>(group[0]);
      const QRect frame = Place(group[2]);
      QCOMPARE(label->text(), group[1]);
      QVERIFY(label->width() >= label->sizeHint().width());
      // The caption straddles the frame's top edge, as a group box caption does.
      QVERIFY2(frame.contains(label->geometry().center().x(), frame.top()), qPrintable(group[0]));
      QVERIFY2(label->y() < frame.top() && frame.top() < label->geometry().bottom(), qPrintable(group[0]));
      QVERIFY(frame.right() < Place("List1").left());
      for (qsizetype i = 3; i < group.size(); ++i) {
        const QRect box = Place(group[i]);
        QVERIFY2(frame.contains(box) && (i == 3 || Place(group[i - 1]).right() < box.left()), qPrintable(group[i]));
        for (const QRect& other : placed) QVERIFY2(!other.intersects(box), qPrintable(group[i]));
        placed.append(box);
      }
    }
    QVERIFY(Place("Shape2").bottom() < Place("Label4").top());  // two rows
  }

  void tabPassesThroughTheControlsInTheirOrder() {
    form->List1->setEnabled(true);
    for (int box = 1; box <= 10; ++box) form->Box(box)->setEnabled(true);
    harness->FocusBox(2);
    QStringList path;
    for (int step = 0; step < 10; ++step) {
      QTest::keyClick(harness->Focused(), Qt::Key_Tab);
      path.append(harness->Focused()->objectName());
    }
    QCOMPARE(path.join(' '), QString("Text3 Text4 Text5 Text6 List1 Text1 Text9 Text10 Text8 Text7"));
  }

  void menusAnswerTheirShortcutsBeforeAnyOpen() {
    QTest::keyClick(form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(harness->dialogs.asked, QStringList{"Open ROM | SNES ROM (*.smc)"});
    QTest::keyClick(form, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(harness->dialogs.warnings.value(0).startsWith("No image is open"));
    QGuiApplication::clipboard()->setText("left over");
    QSignalSpy clipboard(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    QTest::keyClick(form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(clipboard.count(), 2);  // cleared, then set
    // Every caption carries an access key; Copy X and Copy Y stay off.
    QStringList captions;
    for (QMenu* menu : {form->file, form->edit}) {
      captions.append(menu->title());
      for (QAction* action : menu->actions()) captions.append(action->text() + (action->isEnabled() ? "" : " (off)"));
    }
    QCOMPARE(captions.join('|'), QString("&File|&Open|&Save||&Quit|&Edit|&Copy Pointer|Copy &X (off)|Copy &Y (off)"));
    QTest::keyClick(form, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!form->isVisible());
  }

  void boxesAnswerAssistiveSoftwareWithoutHanging() {
    // Qt 6.4's own line edit loops for ever when asked for the word at the
    // end of its text; should that come back, the test's time limit ends it.
    form->Text9->setText("7 E");
    QAccessibleTextInterface* text = QAccessible::queryAccessibleInterface(form->Text9)->textInterface();
    const auto at = [text](int offset, QAccessible::TextBoundaryType unit) {
      int start = 0;
      int end = 0;
      return text->textAtOffset(offset, unit, &start, &end);
    };
    const QStringList answers = {at(-1, QAccessible::CharBoundary),     at(-1, QAccessible::WordBoundary),
                                 at(-1, QAccessible::SentenceBoundary), at(0, QAccessible::CharBoundary),
                                 at(0, QAccessible::WordBoundary),      at(0, QAccessible::SentenceBoundary)};
    QCOMPARE(answers.join('|'), QString("|E|7 E|7|7|7 E"));

    QAccessibleInterface* frame = QAccessible::queryAccessibleInterface(form->Shape2);
    QCOMPARE(frame->role(), QAccessible::Grouping);
    QCOMPARE(frame->text(QAccessible::Name), QString("Text Pointer"));
    // Record bytes are counted from 0, as the README counts them.
    QAccessibleInterface* box = QAccessible::queryAccessibleInterface(form->Text1);
    QCOMPARE(box->text(QAccessible::Name) + " | " + box->text(QAccessible::Description),
             QString("Style | record byte 10 of 0 to 10"));
    QCOMPARE(form->Label5->buddy(), form->Text2);
  }

  void theListTellsAssistiveSoftwareTheCurrentEntryAsItTakesTheFocus() {
    // A screen reader names the entry only if it hears of it after the list
    // itself took the focus. (Headless, Qt has no assistive software to tell.)
    harness->Open(image->path());
    form->List1->setCurrentRow(4);
    harness->FocusBox(1);
    QSignalSpy announced(form->List1, &EntryList::currentEntryAnnounced);
    QTest::keyClick(form->Text1, Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(harness->Focused(), form->List1);
    QVERIFY(announced.wait(1000));
    QCOMPARE(announced.first().first().toInt(), 4);
  }

  void typingCannotAnswerAQuestion_data() {
    QTest::addColumn<bool>("about_edits");  // or the header question
    QTest::addColumn<QString>("keys");      // that answer it
    QTest::addColumn<QString>("answer");
    const auto row = [](const char* name, bool edits, const char* keys, const char* answer) {
      QTest::newRow(name) << edits << QString(keys) << QString(answer);
    };
    row("edits, Escape", true, "Esc", "cancel");
    row("edits, Enter", true, "Return", "save");
    row("edits, Alt+N", true, "Alt+N", "don't save");
    row("header, Enter", false, "Return", "cancel");
    row("header, Alt+O", false, "Alt+O", "open");
  }
  void typingCannotAnswerAQuestion() {
    QFETCH(bool, about_edits);
    QFETCH(QString, keys);
    QFETCH(QString, answer);
    MessageBoxNotifier notifier;
    QStringList seen;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QStringList buttons;
      for (QAbstractButton* button : box->buttons()) buttons.append(button->text());
      buttons.sort();
      // A file name in a message shows as it is written, never as markup.
      seen << (box->textFormat() == Qt::PlainText ? "" : "(markup) ") + box->text() << buttons.join('|');
      QTest::keyClick(box, Qt::Key_Return);  // already on its way as it opened
      QTest::qWait(400);
      // Whatever the user goes on typing into a box or the list, access letters included.
      QTest::keyClicks(QApplication::focusWidget(), "abcdefABCDEF0123456789 \tsnoSNO");
      seen.append(QApplication::activeModalWidget() == box ? "still open" : "answered");
      QTest::keySequence(QApplication::focusWidget(), QKeySequence(keys));
    });
    const QString text = "\"<b>door</b>.smc\"";
    if (about_edits) {
      const char* answers[] = {"save", "don't save", "cancel"};
      seen.append(answers[static_cast<int>(notifier.AskAboutEdits(form, text))]);
      QCOMPARE(seen, QStringList({text, "&Save|Cancel|Do&n't Save", "still open", answer}));
    } else {
      seen.append(notifier.AskToOpenAnyway(form, text) ? "open" : "cancel");
      QCOMPARE(seen, QStringList({text, "&Open Anyway|Cancel", "still open", answer}));
    }
  }

  void openShowsEntryOneReadyToEdit() {
    image->Poke(0xF0200, kRecord);
    harness->Open(image->path());
    QCOMPARE(harness->Record(), kRecordShown);
    QCOMPARE(form->List1->currentRow(), 0);
    QCOMPARE(harness->Focused(), form->List1);
    for (int box = 1; box <= 10; ++box) QCOMPARE(form->Box(box)->isEnabled(), box <= 8);
    // Opening another image with entry 1 current shows the new image's entry 1.
    SyntheticImage other(kFullImageSize, "other.smc");
    other.Poke(0xF0200, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11});
    harness->Open(other.path());
    QCOMPARE(harness->Record(), QString("0B 03 02 01 08 07 0A 09 05 06"));
  }

  void eachRunsFirstAndLastEntryShowsItsOwnRecord_data() {
    QTest::addColumn<int>("entry");
    QTest::addColumn<uint>("offset");
    // The first and last entry of each of the 20 runs, and where their records lie.
    const std::array<std::pair<int, uint>, 39> ends{
        {{1, 0xF0200},   {128, 0xF0775}, {129, 0xF07AC}, {132, 0xF07CD}, {133, 0xF07F8}, {136, 0xF0819}, {137, 0xF0848},
         {213, 0xF0B8C}, {214, 0xF0BB7}, {238, 0xF0CBF}, {239, 0xF0CD2}, {309, 0xF0FD4}, {310, 0xF0FE7}, {316, 0xF1029},
         {317, 0xF1058}, {330, 0xF10E7}, {331, 0xF10F6}, {412, 0xF1471}, {413, 0xF1480}, {439, 0xF159E}, {440, 0xF15AD},
         {620, 0xF1D69}, {621, 0xF1D80}, {622, 0xF1DA3}, {669, 0xF1FA8}, {670, 0xF1FD3}, {671, 0xF1FDE}, {672, 0xF1FF5},
         {702, 0xF213F}, {703, 0xF216C}, {736, 0xF22D7}, {737, 0xF22F7}, {758, 0xF23DE}, {759, 0xF2499}, {784, 0xF25AC},
         {785, 0xF25C3}, {828, 0xF279C}, {829, 0xF27BF}, {841, 0xF2843}}};
    for (const auto& [entry, offset] : ends) QTest::addRow("entry %d", entry) << entry << offset;
  }
  void eachRunsFirstAndLastEntryShowsItsOwnRecord() {
    QFETCH(int, entry);
    QFETCH(uint, offset);
    image->Poke(offset, kRecord);
    harness->Open(image->path());
    form->List1->setCurrentRow(entry - 1);
    QCOMPARE(harness->Record(), kRecordShown);
  }

  void aFileIsCheckedAndAskedAboutBeforeItIsTaken_data() {
    QTest::addColumn<qulonglong>("size");
    QTest::addColumn<bool>("open_anyway");
    QTest::addColumn<QString>("said");
    QTest::addColumn<bool>("taken");
    QTest::newRow("one byte short") << 0xF284Dull << true << "is too short" << false;
    QTest::newRow("just long enough") << 0xF284Eull << false << "" << true;
    QTest::newRow("with a header") << 0x100200ull << false << "" << true;
    QTest::newRow("no header, cancelled") << 0x100000ull << false << "seems to have no 512-byte" << false;
    QTest::newRow("no header, opened anyway") << 0x100000ull << true << "seems to have no 512-byte" << true;
  }
  void aFileIsCheckedAndAskedAboutBeforeItIsTaken() {
    QFETCH(qulonglong, size);
    QFETCH(bool, open_anyway);
    QFETCH(QString, said);
    QFETCH(bool, taken);
    harness->Open(image->path());
    form->List1->setCurrentRow(2);
    SyntheticImage chosen(size, "chosen.smc");
    harness->dialogs.open_anyway = open_anyway;
    harness->Open(chosen.path());
    const QStringList told = harness->dialogs.warnings + harness->dialogs.asked.mid(2);  // after two Opens
    QCOMPARE(told.size(), said.isEmpty() ? 0 : 1);
    QVERIFY(said.isEmpty() || told.first().startsWith("\"" + QtPath(chosen.path()) + "\" " + said));
    QCOMPARE(harness->module.RomPath, taken ? chosen.path() : image->path());
    QCOMPARE(form->List1->currentRow(), taken ? 0 : 2);
  }

  void cancellingChangesNothingAndAnEmptyNameEndsTheProgram() {
    form->file_open_Click();  // the dialog cancelled
    QVERIFY(harness->module.RomPath.empty());
    QVERIFY(!form->List1->isEnabled());
    harness->Open(image->path());
    harness->dialogs.names = {QString()};
    QTimer::singleShot(0, form, &Form1::file_open_Click);
    QTimer::singleShot(3000, [] { QCoreApplication::exit(2); });
    QCOMPARE(QCoreApplication::exec(), 0);
  }

  void aDroppedFileOpensAsFileOpenWould_data() {
    QTest::addColumn<QStringList>("urls");  // "" stands for the image
    QTest::addColumn<bool>("taken");
    QTest::newRow("one local file") << QStringList{""} << true;
    QTest::newRow("a web address") << QStringList{"https://example.org/image.smc"} << false;
    QTest::newRow("two files") << QStringList{"", ""} << false;
  }
  void aDroppedFileOpensAsFileOpenWould() {
    QFETCH(QStringList, urls);
    QFETCH(bool, taken);
    QMimeData data;
    QList<QUrl> dropped;
    for (const QString& url : urls) dropped.append(url.isEmpty() ? QUrl::fromLocalFile(QtPath(image->path())) : url);
    data.setUrls(dropped);
    data.setText(QtPath(image->path()));  // as file managers add
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form, &enter);
    QCOMPARE(enter.isAccepted(), taken);
    QDropEvent drop(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form, &drop);
    QCoreApplication::processEvents();
    QCOMPARE(harness->module.RomPath, taken ? image->path() : fs::path());
  }

  void theImageChangingBehindTheEditorIsToldAndNothingIsWritten_data() {
    // The reason is in the system's own words, which differ from system to system.
    const QString kNotFound = "image.smc\" for reading: ";
    const QString kNoPermission = "image.smc\" for writing: ";
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<bool>("save");
    QTest::addColumn<QString>("said");
    for (bool save : {false, true}) {
      const char* then = save ? "then save" : "then select";
      QTest::addRow("deleted, %s", then) << Fault::kDeleted << save << kNotFound;
      QTest::addRow("a folder, %s", then) << Fault::kFolder << save << "folder";
      QTest::addRow("truncated, %s", then) << Fault::kTruncated << save << "too short";
      QTest::addRow("replaced, %s", then) << Fault::kReplaced << save << "replaced by another file";
    }
    QTest::addRow("read-only, then save") << Fault::kReadOnly << true << kNoPermission;
  }
  void theImageChangingBehindTheEditorIsToldAndNothingIsWritten() {
    QFETCH(Fault, fault);
    QFETCH(bool, save);
    QFETCH(QString, said);
    harness->Open(image->path());
    form->List1->setCurrentRow(4);
    if (save) form->Text1->setText("AB");
    Inflict(fault, *image);
    if (fault == Fault::kReadOnly && std::ofstream(image->path(), std::ios::app)) {
      QSKIP("this user may write to read-only files (root may); script/test runs the tests as nobody");
    }
    const auto listing = [&] {
      return QDir(QtPath(image->folder())).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    };
    const QStringList listed = listing();
    const std::vector<std::uint8_t> bytes =
        fs::is_regular_file(image->path()) ? image->Bytes() : std::vector<std::uint8_t>();
    save ? form->file_save_Click() : QTest::keyClick(form->List1, Qt::Key_Down);
    QCOMPARE(harness->dialogs.warnings.size(), 1);
    const QString warning = harness->dialogs.warnings.first();
    QVERIFY2(warning.contains(said) && warning.contains("image.smc"), qPrintable(warning));
    QCOMPARE(listing(), listed);  // nothing made or removed
    QVERIFY(!fs::is_regular_file(image->path()) || image->Bytes() == bytes);
    QCOMPARE(harness->Focused(), form->List1);
    // A display shows what the file holds now, or nothing at all.
    if (!save) QCOMPARE(harness->Record(), fault == Fault::kReplaced ? "3C 3C 3C 3C 3C 3C 3C 3C 3C 3C" : "         ");

    // The editor goes on once a sound image is back in place.
    if (fault == Fault::kReadOnly) fs::permissions(image->path(), fs::perms::owner_write, fs::perm_options::add);
    fs::remove_all(image->path());
    WriteWholeFile(image->path(), std::vector<std::uint8_t>(kFullImageSize, 0x5A));
    harness->dialogs.edits_answer = Notifier::EditsAnswer::kDiscard;
    form->List1->setCurrentRow(1);
    QCOMPARE(harness->Record(), QString("5A 5A 5A 5A 5A 5A 5A 5A 5A 5A"));
  }
};

QTEST_MAIN(WindowTest)
#include "window_test.moc"
