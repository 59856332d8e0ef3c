// Opening an image, showing entries, saving them back, and what the user is
// told when any of it cannot be done.
#include <QSignalSpy>

#include "form_harness.h"
#include "rom/entry_offsets.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {

std::uint32_t OffsetOf(std::int32_t entry) {
  EntryOffsetTable table;
  table.Build();
  return static_cast<std::uint32_t>(std::stoul(table(entry), nullptr, 16));
}

// The file offsets that a Save of the entry may change: its record without byte 3.
std::vector<std::uint32_t> SavedOffsets(std::int32_t entry) {
  std::vector<std::uint32_t> offsets;
  for (std::uint32_t k = 0; k < 11; ++k) {
    if (k != 3) offsets.push_back(OffsetOf(entry) + k);
  }
  return offsets;
}

// Which bytes differ between two images of the same length.
std::vector<std::uint32_t> ChangedOffsets(const std::vector<std::uint8_t>& before,
                                          const std::vector<std::uint8_t>& after) {
  std::vector<std::uint32_t> changed;
  for (std::uint32_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (before[i] != after[i]) changed.push_back(i);
  }
  return changed;
}

}  // namespace

class Form1OpenSaveTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    image = std::make_unique<SyntheticImage>();
    image->Poke(0xF0200, kEntryOneRecord);
    harness = std::make_unique<FormHarness>();
  }
  void cleanup() {
    harness.reset();
    image.reset();
  }

  void openShowsEntryOneAndMakesTheWindowEditable() {
    harness->Open(image->path());
    Form1& form = harness->form;
    QCOMPARE(harness->module.RomPath, image->path());
    for (int box = 1; box <= 10; ++box) QCOMPARE(form.Box(box)->isEnabled(), box <= 8);
    QVERIFY(form.List1->isEnabled());
    QCOMPARE(form.List1->currentRow(), 0);
    QCOMPARE(harness->ShownRecord(), EntryOneShown());
    QCOMPARE(harness->Focused(), form.List1);
    QVERIFY(harness->notifier.messages.isEmpty());
  }

  void cancellingChangesNothingBeforeOrAfterAnOpen() {
    harness->chooser.answers.push_back(std::nullopt);
    harness->form.file_open_Click();
    QVERIFY(harness->module.RomPath.empty());
    QVERIFY(!harness->form.List1->isEnabled());

    harness->Open(image->path());
    harness->form.List1->setCurrentRow(5);
    harness->form.Text1->setText("7");
    harness->chooser.answers.push_back(std::nullopt);
    harness->form.file_open_Click();
    QCOMPARE(harness->module.RomPath, image->path());
    QCOMPARE(harness->form.List1->currentRow(), 5);
    QCOMPARE(harness->Shown(1), QString("7"));
    QVERIFY(harness->notifier.messages.isEmpty());
  }

  void anEmptyFileNameEndsTheProgram() {
    QSignalSpy end(&harness->form, &Form1::programEndRequested);
    harness->chooser.answers.push_back(QString());
    harness->form.file_open_Click();
    QCOMPARE(end.count(), 1);
    QVERIFY(harness->module.RomPath.empty());
  }

  void aFileThatCannotServeIsRefusedAndTheOpenImageStays() {
    harness->Open(image->path());
    harness->form.List1->setCurrentRow(2);
    const std::map<int, QString> shown = harness->ShownRecord();

    SyntheticImage too_short(kMinimumImageSize - 1, "short.smc");
    harness->Open(too_short.path());
    QCOMPARE(harness->notifier.messages.size(), 1);
    QVERIFY(harness->notifier.messages.last().contains("too short"));
    QVERIFY(harness->notifier.messages.last().contains("short.smc"));

    harness->Open(image->folder() / "missing.smc");
    QCOMPARE(harness->notifier.messages.size(), 2);
    QVERIFY(harness->notifier.messages.last().contains("missing.smc"));
    QVERIFY(harness->notifier.messages.last().contains("No such file"));

    QCOMPARE(harness->module.RomPath, image->path());
    QCOMPARE(harness->form.List1->currentRow(), 2);
    QCOMPARE(harness->ShownRecord(), shown);
  }

  void openingAgainWithEntryOneSelectedShowsTheNewImage() {
    harness->Open(image->path());
    SyntheticImage other(kMinimumImageSize, "other.smc");
    other.Poke(0xF0200, {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x08, 0x09, 0x0A, 0x0B});
    harness->Open(other.path());
    QCOMPARE(harness->Shown(2), QString("03"));
    QCOMPARE(harness->Shown(1), QString("0B"));
    QCOMPARE(harness->Shown(10), QString("06"));

    // And a Save now writes the new image's own bytes back: nothing changes.
    const std::vector<std::uint8_t> before = other.Bytes();
    harness->form.file_save_Click();
    QCOMPARE(other.Bytes(), before);
    QVERIFY(harness->notifier.messages.isEmpty());
  }

  void entriesAcrossRunBoundariesShowTheirOwnBytes() {
    harness->Open(image->path());
    const std::vector<std::uint8_t> bytes = image->Bytes();
    for (std::int32_t entry : {2, 128, 129, 621, 622, 841}) {
      harness->form.setFocus();
      harness->form.List1->setCurrentRow(entry - 1);
      const std::uint32_t offset = OffsetOf(entry);
      for (const FieldSlot& slot : kFieldTable) {
        const std::uint8_t byte = bytes[offset + static_cast<std::uint32_t>(slot.position) - 1];
        QCOMPARE(harness->Shown(slot.box), QString("%1").arg(byte, 2, 16, QChar('0')).toUpper());
      }
      QCOMPARE(harness->Focused(), harness->form.List1);
    }
  }

  void arrowKeysShowEachEntryPassedAndEditsAreDiscarded() {
    harness->Open(image->path());
    harness->form.Text5->setText("zz");
    QTest::keyClick(harness->form.List1, Qt::Key_Down);
    QCOMPARE(harness->form.List1->currentRow(), 1);
    QCOMPARE(harness->Shown(4), QString("%1").arg(image->Bytes()[OffsetOf(2)], 2, 16, QChar('0')).toUpper());
    QTest::keyClick(harness->form.List1, Qt::Key_Up);
    QCOMPARE(harness->ShownRecord(), EntryOneShown());
  }

  void saveWritesExactlyTheShownBytes() {
    harness->Open(image->path());
    harness->form.List1->setCurrentRow(1);
    const std::vector<std::uint8_t> before = image->Bytes();
    harness->form.Text1->setText("5");
    harness->form.Text5->setText("ab");
    harness->form.Text8->setText(" 7");
    harness->form.file_save_Click();
    const std::vector<std::uint8_t> after = image->Bytes();
    QCOMPARE(after.size(), before.size());
    QCOMPARE(after[OffsetOf(2) + 10], std::uint8_t{0x05});
    QCOMPARE(after[OffsetOf(2) + 7], std::uint8_t{0xAB});
    QCOMPARE(after[OffsetOf(2) + 8], std::uint8_t{0x07});
    QCOMPARE(ChangedOffsets(before, after),
             (std::vector<std::uint32_t>{OffsetOf(2) + 7, OffsetOf(2) + 8, OffsetOf(2) + 10}));
    QCOMPARE(harness->Shown(1), QString("05"));
    QCOMPARE(harness->Shown(5), QString("AB"));
    QCOMPARE(harness->Shown(8), QString("07"));
  }

  void saveNeverTouchesByteThreeOrAnotherRecord() {
    harness->Open(image->path());
    harness->form.List1->setCurrentRow(1);
    const std::vector<std::uint8_t> before = image->Bytes();
    for (int box = 1; box <= 8; ++box) harness->form.Box(box)->setText("EE");
    harness->form.file_save_Click();
    const std::vector<std::uint32_t> changed = ChangedOffsets(before, image->Bytes());
    QVERIFY(!changed.empty());
    for (std::uint32_t offset : changed) {
      QVERIFY(offset >= 0xF020B && offset <= 0xF0215);
      QVERIFY(offset != 0xF020E);
    }
    const std::vector<std::uint32_t> allowed = SavedOffsets(2);
    for (std::uint32_t offset : changed) QVERIFY(std::find(allowed.begin(), allowed.end(), offset) != allowed.end());
  }

  void savingUnchangedLeavesTheImageByteForByte() {
    harness->Open(image->path());
    const std::vector<std::uint8_t> before = image->Bytes();
    harness->form.file_save_Click();
    QCOMPARE(image->Bytes(), before);
    QCOMPARE(harness->ShownRecord(), EntryOneShown());
  }

  void aBoxThatHoldsNoByteStopsTheWholeSave() {
    harness->Open(image->path());
    const std::vector<std::uint8_t> before = image->Bytes();
    struct Case {
      int box;
      QString text;
      QString field;
    };
    for (const Case& c : {Case{5, "zz", "\"X:\" high byte"}, {8, "G1", "\"Y:\" low byte"},
                          {1, "1G", "\"Style:\""}, {6, "", "\"X:\" low byte"}}) {
      harness->form.List1->setCurrentRow(1);
      harness->form.List1->setCurrentRow(0);
      harness->form.Text4->setText("00");  // an edit that must not reach the file either
      harness->form.Box(c.box)->setText(c.text);
      harness->notifier.messages.clear();
      harness->form.file_save_Click();
      QCOMPARE(image->Bytes(), before);
      QCOMPARE(harness->notifier.messages.size(), 1);
      QVERIFY2(harness->notifier.messages.first().contains(c.field), qPrintable(harness->notifier.messages.first()));
      QVERIFY(harness->notifier.messages.first().contains("Nothing was saved"));
      QCOMPARE(harness->Focused(), harness->form.Box(c.box));
      QCOMPARE(harness->Shown(c.box), c.text);
    }
  }

  void saveSaysWhyWhenThereIsNothingToSave() {
    harness->form.file_save_Click();
    QVERIFY(harness->notifier.messages.last().contains("No image is open"));
  }

  void saveToAnImageThatWentAwayCreatesNothing() {
    harness->Open(image->path());
    harness->form.Text1->setText("12");
    std::filesystem::remove(image->path());
    harness->form.file_save_Click();
    QCOMPARE(harness->notifier.messages.size(), 1);
    QVERIFY(harness->notifier.messages.first().contains("No such file"));
    QVERIFY(!std::filesystem::exists(image->path()));
  }

  void aFailedDisplayLeavesNoBytesThatCouldBeSaved() {
    harness->Open(image->path());
    std::filesystem::resize_file(image->path(), 0xF0300);
    harness->form.List1->setCurrentRow(840);
    QCOMPARE(harness->notifier.messages.size(), 1);
    QVERIFY(harness->notifier.messages.first().contains("too short"));
    for (int box = 1; box <= 10; ++box) QVERIFY(harness->Shown(box).isEmpty());
    const std::vector<std::uint8_t> before = image->Bytes();
    harness->form.file_save_Click();
    QCOMPARE(image->Bytes(), before);
  }

 private:
  std::unique_ptr<SyntheticImage> image;
  std::unique_ptr<FormHarness> harness;
};

QTEST_MAIN(Form1OpenSaveTest)
#include "form1_open_save_test.moc"
