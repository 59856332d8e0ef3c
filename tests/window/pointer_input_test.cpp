// Typing into the three pointer boxes, and copying the pointer they show.
#include <QClipboard>
#include <QSignalSpy>

#include "fake_field_box.h"
#include "form_harness.h"
#include "window/hex_input_filter.h"

using namespace quorvane;
using namespace quorvane::testing;

class PointerInputTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    image = std::make_unique<SyntheticImage>();
    image->Poke(0xF0200, kEntryOneRecord);
    harness = std::make_unique<FormHarness>();
    harness->Open(image->path());
  }
  void cleanup() {
    harness.reset();
    image.reset();
    QGuiApplication::clipboard()->clear();
  }

  void filterUpperCasesAndDropsOnlyATrailingNonDigit() {
    struct Case {
      const char* text;
      const char* result;
      int caret;
    };
    for (const Case& c : {Case{"", "", 0}, {"a", "A", 1}, {"ab", "AB", 2}, {"Ag", "A", 2},
                          {"G1", "G1", 2}, {"1g", "1", 2}, {"ZZ", "Z", 2}, {"\xC3\xA4", "", 1},
                          {"1\xF0\x9F\x98\x80", "1", 3}, {"\xD9\xA3", "", 1}}) {
      FakeFieldBox box(c.text);
      QCOMPARE(QString::fromStdString(FilterHexInput(box)), QString::fromUtf8(c.result));
      QCOMPARE(box.caret, c.caret);
    }
  }

  void typingUpperCasesAndPassesTheFocusWhenFull() {
    harness->form.Text2->clear();
    harness->FocusBox(2);
    harness->Type("a");
    QCOMPARE(harness->Shown(2), QString("A"));
    QCOMPARE(harness->Focused(), harness->form.Text2);
    QCOMPARE(harness->form.Text2->cursorPosition(), 1);
    harness->Type("g");
    QCOMPARE(harness->Shown(2), QString("A"));
    QCOMPARE(harness->Focused(), harness->form.Text2);
    harness->Type("b");
    QCOMPARE(harness->Shown(2), QString("AB"));
    QCOMPARE(harness->Focused(), harness->form.Text3);
    QVERIFY(harness->form.Text3->hasSelectedText());
  }

  void theLastBoxKeepsTheFocus() {
    harness->form.Text4->clear();
    harness->FocusBox(4);
    harness->Type("1f");
    QCOMPARE(harness->Shown(4), QString("1F"));
    QCOMPARE(harness->Focused(), harness->form.Text4);
  }

  void aSixDigitPointerTypesInOneGoOverTheOneShownAndSaves() {
    harness->FocusBox(2);
    harness->Type("7e0a1b");
    QCOMPARE(harness->Shown(2), QString("7E"));
    QCOMPARE(harness->Shown(3), QString("0A"));
    QCOMPARE(harness->Shown(4), QString("1B"));
    harness->form.file_save_Click();
    const std::vector<std::uint8_t> bytes = image->Bytes();
    QCOMPARE(bytes[0xF0200], std::uint8_t{0x1B});
    QCOMPARE(bytes[0xF0201], std::uint8_t{0x0A});
    QCOMPARE(bytes[0xF0202], std::uint8_t{0x7E});
    QCOMPARE(bytes[0xF0203], std::uint8_t{0x07});
  }

  void correctionsRerunTheChangeNested() {
    QSignalSpy changes(harness->form.Text3, &QLineEdit::textChanged);
    QGuiApplication::clipboard()->setText("ZZ");
    harness->form.Text3->selectAll();
    harness->form.Text3->paste();
    QCOMPARE(harness->Shown(3), QString());
    QStringList seen;
    for (const QList<QVariant>& change : changes) seen.append(change.first().toString());
    // The spy is connected after the window's own handler, so it hears of each
    // text only once the handling nested inside it is done: innermost first.
    QCOMPARE(seen, (QStringList{"", "Z", "ZZ"}));
  }

  void aPastedLetterFirstCountsAsFullAndSavesAsZero() {
    QGuiApplication::clipboard()->setText("Z1");
    harness->FocusBox(2);
    harness->form.Text2->paste();
    QCOMPARE(harness->Shown(2), QString("Z1"));
    QCOMPARE(harness->Focused(), harness->form.Text3);
    // The strict check on Save refuses it rather than storing 0x00.
    const std::vector<std::uint8_t> before = image->Bytes();
    harness->form.file_save_Click();
    QCOMPARE(image->Bytes(), before);
    QVERIFY(harness->notifier.messages.last().contains("\"Text Pointer:\" high byte"));
  }

  void otherBoxesTakeAnyTwoCharacters() {
    harness->FocusBox(5);
    harness->Type("zz!");
    QCOMPARE(harness->Shown(5), QString("zz"));
    QCOMPARE(harness->Focused(), harness->form.Text5);
  }

  void showingAnEntryPassesTheFocusOnThenReturnsItToTheList() {
    QStringList focus_path;
    const QMetaObject::Connection watch =
        QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget*, QWidget* now) {
          if (now != nullptr) focus_path.append(now->objectName());
        });
    harness->form.List1->setCurrentRow(1);  // its pointer bytes differ from entry 1's
    QObject::disconnect(watch);
    QCOMPARE(focus_path, (QStringList{"Text3", "Text4", "List1"}));
    QCOMPARE(harness->Focused(), harness->form.List1);
  }

  void copyPointerTakesWhatTheBoxesShow() {
    QSignalSpy changes(QGuiApplication::clipboard(), &QClipboard::dataChanged);
    harness->form.edit_copypointer->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("C3A05F"));
    QCOMPARE(changes.count(), 2);  // cleared, then set

    harness->FocusBox(2);
    harness->Type("7e");
    harness->form.CopyPointerToClipboard();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("7EA05F"));
    QCOMPARE(image->Bytes()[0xF0202], std::uint8_t{0xC3});  // nothing saved
  }

 private:
  std::unique_ptr<SyntheticImage> image;
  std::unique_ptr<FormHarness> harness;
};

QTEST_MAIN(PointerInputTest)
#include "pointer_input_test.moc"
