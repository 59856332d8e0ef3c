// The window as it stands after start-up, before any image is open.
#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>

#include "form_harness.h"
#include "window/field_line_edit.h"

using namespace quorvane;
using namespace quorvane::testing;

class Form1StartupTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { harness = std::make_unique<FormHarness>(); }
  void cleanup() {
    harness.reset();
    QGuiApplication::clipboard()->clear();
  }

  void captionAndControlNames() {
    Form1& form = harness->form;
    QCOMPARE(form.windowTitle(), QString("Quorvane"));
    QCOMPARE(form.objectName(), QString("Form1"));
    for (int box = 1; box <= 10; ++box) {
      QCOMPARE(form.Box(box)->objectName(), QString("Text%1").arg(box));
      QCOMPARE(form.findChild<QLineEdit*>(QString("Text%1").arg(box)), form.Box(box));
    }
    QCOMPARE(form.Text2, form.Box(2));
    QCOMPARE(form.Text10, form.Box(10));
    const std::map<QString, QString> captions = {{"Label2", "X:"},
                                                 {"Label3", "Y:"},
                                                 {"Label4", "Style:"},
                                                 {"Label5", "Text Pointer:"},
                                                 {"Label6", "Unknown:"}};
    for (const auto& [name, caption] : captions) {
      QLabel* label = form.findChild<QLabel*>(name);
      QVERIFY2(label != nullptr, qPrintable(name));
      QCOMPARE(label->text(), caption);
      QCOMPARE(label->focusPolicy(), Qt::NoFocus);
    }
    for (int shape = 1; shape <= 5; ++shape) QVERIFY(form.findChild<QFrame*>(QString("Shape%1").arg(shape)));
    QCOMPARE(form.List1->objectName(), QString("List1"));
  }

  void listHoldsEveryEntryUnsortedWithNothingSelected() {
    QListWidget* list = harness->form.List1;
    QCOMPARE(list->count(), 841);
    QCOMPARE(list->item(0)->text(), QString("Entry 1"));
    QCOMPARE(list->item(9)->text(), QString("Entry 10"));
    QCOMPARE(list->item(99)->text(), QString("Entry 100"));
    QCOMPARE(list->item(840)->text(), QString("Entry 841"));
    QVERIFY(!list->isSortingEnabled());
    QCOMPARE(list->currentRow(), -1);
    QCOMPARE(harness->form.SelectedEntry(), 0);
  }

  void everythingThatTakesInputStartsEmptyAndDisabled() {
    Form1& form = harness->form;
    for (int box = 1; box <= 10; ++box) {
      QVERIFY2(!form.Box(box)->isEnabled(), qPrintable(form.Box(box)->objectName()));
      QVERIFY(form.Box(box)->text().isEmpty());
      QCOMPARE(form.Box(box)->maxLength(), box <= 8 ? 2 : 32767);
    }
    QVERIFY(!form.List1->isEnabled());
    QVERIFY(harness->module.RomPath.empty());
    QVERIFY(harness->module.EntryOffsets(1) == "F0200");  // built by Load
  }

  void menusCarryTheirCaptionsShortcutsAndStates() {
    Form1& form = harness->form;
    QCOMPARE(form.file->title(), QString("File"));
    QCOMPARE(form.edit->title(), QString("Edit"));
    struct Item {
      QAction* action;
      const char* name;
      const char* caption;
      QKeySequence shortcut;
      bool enabled;
    };
    const Item items[] = {
        {form.file_open, "file_open", "Open", QKeySequence("Ctrl+O"), true},
        {form.file_save, "file_save", "Save", QKeySequence("Ctrl+S"), true},
        {form.file_quit, "file_quit", "Quit", QKeySequence("Ctrl+Q"), true},
        {form.edit_copypointer, "edit_copypointer", "Copy Pointer", QKeySequence("Ctrl+P"), true},
        {form.edit_copyx, "edit_copyx", "Copy X", QKeySequence(), false},
        {form.edit_copyy, "edit_copyy", "Copy Y", QKeySequence(), false},
    };
    for (const Item& item : items) {
      QCOMPARE(item.action->objectName(), QString(item.name));
      QCOMPARE(item.action->text(), QString(item.caption));
      QCOMPARE(item.action->shortcut(), item.shortcut);
      QCOMPARE(item.action->isEnabled(), item.enabled);
    }
    const QList<QAction*> file_items = form.file->actions();
    QCOMPARE(file_items.size(), 4);
    QVERIFY(file_items.at(2)->isSeparator());
    QCOMPARE(file_items.at(2), form.file_space);
  }

  void tabOrderFollowsTheTabIndexes() {
    Form1& form = harness->form;
    for (int box = 1; box <= 10; ++box) form.Box(box)->setEnabled(true);
    form.List1->setEnabled(true);
    const QList<QWidget*> expected = {form.Text2, form.Text3,  form.Text4, form.Text5,
                                      form.Text6, form.List1,  form.Text1, form.Text9,
                                      form.Text10, form.Text8, form.Text7};
    QList<QWidget*> chain;
    QWidget* widget = form.Text2;
    do {
      if (widget->focusPolicy() & Qt::TabFocus) chain.append(widget);
      widget = widget->nextInFocusChain();
    } while (widget != form.Text2 && chain.size() < 20);
    chain.erase(std::remove_if(chain.begin(), chain.end(),
                               [&](QWidget* w) { return !expected.contains(w); }),
                chain.end());
    QCOMPARE(chain, expected);
  }

  void layoutKeepsTheProportionsAndFitsTheStyle() {
    Form1& form = harness->form;
    const QRect text2 = form.Text2->geometry();
    const double pixels_per_twip = text2.width() / 375.0;
    QVERIFY(pixels_per_twip >= 1.0 / 15);
    // Positions and sizes scale together, within a pixel of rounding.
    auto near = [&](int pixels, int twips) { return std::abs(pixels - twips * pixels_per_twip) <= 1.5; };
    QVERIFY(near(form.List1->geometry().width(), 1335));
    QVERIFY(near(form.List1->geometry().height(), 1425));
    QVERIFY(near(form.List1->geometry().left(), 3480));
    QVERIFY(near(form.Text7->geometry().left(), 2400));
    QVERIFY(near(form.Text7->geometry().top(), 1080));
    QVERIFY(near(form.centralWidget()->width(), 4935));
    QVERIFY(near(form.centralWidget()->height(), 1695));
    for (int box = 1; box <= 10; ++box) {
      FieldLineEdit* edit = form.Box(box);
      QVERIFY(edit->height() >= edit->minimumSizeHint().height());
      QVERIFY(edit->width() >= edit->SizeToShow("FF").width());
    }
    for (QLabel* label : form.findChildren<QLabel*>()) {
      QVERIFY2(label->width() >= label->sizeHint().width(), qPrintable(label->text()));
      QVERIFY2(label->height() >= label->sizeHint().height(), qPrintable(label->text()));
    }
    // Each label straddles the top edge of its frame, drawn over it.
    const std::pair<const char*, const char*> captions[] = {
        {"Label5", "Shape2"}, {"Label6", "Shape3"}, {"Label4", "Shape1"}, {"Label2", "Shape4"}, {"Label3", "Shape5"}};
    for (const auto& [label_name, shape_name] : captions) {
      const QRect label = form.findChild<QLabel*>(label_name)->geometry();
      const QRect shape = form.findChild<QFrame*>(shape_name)->geometry();
      QVERIFY(label.top() < shape.top() && shape.top() < label.bottom());
      QVERIFY(shape.left() < label.left() && label.right() < shape.right());
    }
    // The window cannot be resized.
    QCOMPARE(form.minimumSize(), form.maximumSize());
  }

  void shortcutsRespondBeforeAnyOpen() {
    Form1& form = harness->form;
    QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(harness->chooser.titles, QStringList{"Open ROM"});
    QCOMPARE(harness->chooser.filters, QStringList{"SNES ROM (*.smc)"});

    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(harness->notifier.messages.size(), 1);
    QVERIFY(harness->notifier.messages.first().contains("No image is open"));

    QGuiApplication::clipboard()->setText("left over");
    QSignalSpy changes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    QTest::keyClick(&form, Qt::Key_P, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString());
    QCOMPARE(changes.count(), 2);  // cleared, then set

    QTest::keyClick(&form, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!form.isVisible());
  }

 private:
  std::unique_ptr<FormHarness> harness;
};

QTEST_MAIN(Form1StartupTest)
#include "form1_startup_test.moc"
