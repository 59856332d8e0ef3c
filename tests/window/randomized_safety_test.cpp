// Thousands of random sessions of selecting, typing, saving and opening
// again, checked against a plain model of the image file: only the ten shown
// bytes of a saved record change, to exactly what its boxes held; record byte
// 3, the bytes between runs and the file's length never change. Seeded and
// reproducible: set QUORVANE_SEED to replay a run; a failure names its seed.
#include <random>

#include "form_harness.h"
#include "rom/entry_offsets.h"
#include "rom/hex_text.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {

constexpr int kSessions = 2000;
constexpr int kStepsPerSession = 16;

std::uint32_t EntryOffset(const EntryOffsetTable& table, std::int32_t entry) {
  return *ParseHexNumber(table(entry));
}

std::uint64_t BaseSeed() {
  const QByteArray seed = qgetenv("QUORVANE_SEED");
  return seed.isEmpty() ? 20261206u : seed.toULongLong();
}

}  // namespace

class RandomizedSafetyTest : public QObject {
  Q_OBJECT

 private slots:
  void savesChangeExactlyWhatTheBoxesHeld() {
    EntryOffsetTable table;
    table.Build();
    SyntheticImage image;
    SyntheticImage too_short(kMinimumImageSize - 1, "short.smc");
    std::vector<std::uint8_t> model = image.Bytes();
    const std::uint64_t base_seed = BaseSeed();
    qInfo("base seed %llu (set QUORVANE_SEED to replay)", static_cast<unsigned long long>(base_seed));

    FormHarness harness;
    const QString alphabet = QStringLiteral("0123456789abcdefABCDEF gGzZ-\u00e9");
    for (int session = 0; session < kSessions; ++session) {
      const std::uint64_t seed = base_seed + static_cast<std::uint64_t>(session);
      const QByteArray where = QByteArray("seed ") + QByteArray::number(qulonglong(seed));
      std::mt19937_64 random(seed);
      auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };

      harness.Open(image.path());
      QVERIFY2(harness.form.List1->currentRow() == 0, where);
      for (int step = 0; step < kStepsPerSession; ++step) {
        const int roll = pick(0, 99);
        if (roll < 35) {
          // Select an entry; half the time one at the edge of a run.
          const EntryGroup& group = kEntryGroups[static_cast<std::size_t>(pick(0, 19))];
          const std::int32_t entry = pick(0, 1) ? group.last_entry : pick(kFirstEntry, kLastEntry);
          const bool changes = harness.form.List1->currentRow() != entry - 1;
          harness.form.List1->setCurrentRow(entry - 1);
          if (!changes) continue;
          const std::uint32_t offset = EntryOffset(table, entry);
          for (const FieldSlot& slot : kFieldTable) {
            const std::uint8_t byte = model[offset + static_cast<std::uint32_t>(slot.position) - 1];
            QVERIFY2(harness.form.Box(slot.box)->Text() == FormatByteText(byte), where);
          }
        } else if (roll < 75) {
          // Type or paste a few characters into an editable box.
          const int box = pick(1, 8);
          QString keys;
          for (int n = pick(0, 3); n > 0; --n) keys += alphabet.at(pick(0, static_cast<int>(alphabet.size()) - 1));
          // Key presses are simulated for ASCII only; other letters are pasted.
          const bool ascii = std::all_of(keys.begin(), keys.end(), [](QChar c) { return c.unicode() < 0x80; });
          if (ascii && pick(0, 1)) {
            harness.FocusBox(box);
            harness.Type(keys);
          } else {
            harness.form.Box(box)->setText(keys);
          }
        } else if (roll < 95) {
          // Save: the whole record as the boxes hold it, or nothing at all.
          const std::int32_t entry = harness.form.SelectedEntry();
          const std::uint32_t offset = EntryOffset(table, entry);
          std::vector<std::uint8_t> expected = model;
          bool valid = true;
          for (const FieldSlot& slot : kFieldTable) {
            const std::optional<std::uint8_t> value = ParseStrictByteText(harness.form.Box(slot.box)->Text());
            valid = valid && value.has_value();
            if (value) expected[offset + static_cast<std::uint32_t>(slot.position) - 1] = *value;
          }
          const qsizetype warned = harness.notifier.messages.size();
          harness.form.file_save_Click();
          QVERIFY2(harness.notifier.messages.size() == warned + (valid ? 0 : 1), where);
          if (valid) model = std::move(expected);
          // The record and its neighbours now; the whole file at the end of the session.
          QVERIFY2(std::filesystem::file_size(image.path()) == model.size(), where);
          const std::uint32_t from = offset - 32;
          const std::uint32_t to = std::min<std::uint32_t>(kMinimumImageSize, offset + 43);
          const std::vector<std::uint8_t> now = image.Bytes();
          QVERIFY2(std::equal(now.begin() + from, now.begin() + to, model.begin() + from), where);
        } else {
          // Open again: the same image, or one too short, which is refused.
          const bool refused = pick(0, 1) == 1;
          const std::int32_t before = harness.form.SelectedEntry();
          harness.Open(refused ? too_short.path() : image.path());
          QVERIFY2(harness.form.SelectedEntry() == (refused ? before : 1), where);
        }
      }
      QVERIFY2(image.Bytes() == model, where);
    }
    // What the model allowed to change is what the rules allow to change.
    const std::vector<std::uint8_t> original = Pattern(kMinimumImageSize);
    std::vector<bool> savable(model.size(), false);
    for (std::int32_t entry = kFirstEntry; entry <= kLastEntry; ++entry) {
      for (const FieldSlot& slot : kFieldTable) {
        savable[EntryOffset(table, entry) + static_cast<std::uint32_t>(slot.position) - 1] = true;
      }
    }
    for (std::size_t i = 0; i < model.size(); ++i) {
      if (!savable[i]) QVERIFY2(model[i] == original[i], qPrintable(QString("byte %1 changed").arg(i, 0, 16)));
    }
  }
};

QTEST_MAIN(RandomizedSafetyTest)
#include "randomized_safety_test.moc"
