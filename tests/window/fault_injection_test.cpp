// The image changes behind the editor's back between Open and a later
// selection or Save: deleted, replaced by a folder, truncated, or replaced by
// another file. Each time the user is told, the editor goes on, and no file
// is created, extended or changed.
#include <map>

#include "form_harness.h"

using namespace quorvane;
using namespace quorvane::testing;

namespace {

enum class Fault { kDeleted, kFolder, kTruncated, kReplaced };
enum class Action { kSelect, kSave };

// Name, kind and size of everything in a folder.
std::map<std::string, std::pair<bool, std::uintmax_t>> Listing(const std::filesystem::path& folder) {
  std::map<std::string, std::pair<bool, std::uintmax_t>> listing;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    const bool regular = entry.is_regular_file();
    listing[entry.path().filename().string()] = {regular, regular ? entry.file_size() : 0};
  }
  return listing;
}

void Inflict(Fault fault, const SyntheticImage& image) {
  switch (fault) {
    case Fault::kDeleted:
      std::filesystem::remove(image.path());
      break;
    case Fault::kFolder:
      std::filesystem::remove(image.path());
      std::filesystem::create_directory(image.path());
      break;
    case Fault::kTruncated:
      std::filesystem::resize_file(image.path(), 0xF0300);
      break;
    case Fault::kReplaced: {
      const std::filesystem::path other = image.folder() / "newer.tmp";
      std::vector<std::uint8_t> bytes = image.Bytes();
      for (auto& byte : bytes) byte = static_cast<std::uint8_t>(byte ^ 0x5A);
      WriteWholeFile(other, bytes);
      std::filesystem::rename(other, image.path());
      break;
    }
  }
}

}  // namespace

Q_DECLARE_METATYPE(Fault)
Q_DECLARE_METATYPE(Action)

class FaultInjectionTest : public QObject {
  Q_OBJECT

 private slots:
  void imageChangesBehindTheEditor_data() {
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("said");
    struct Row {
      Fault fault;
      const char* name;
      QString said;
    };
    for (const Row& row : {Row{Fault::kDeleted, "deleted", "No such file"},
                           Row{Fault::kFolder, "replaced by a folder", "folder"},
                           Row{Fault::kTruncated, "truncated", "too short"},
                           Row{Fault::kReplaced, "replaced by another file", "replaced by another file"}}) {
      QTest::addRow("%s, then select", row.name) << row.fault << Action::kSelect << row.said;
      QTest::addRow("%s, then save", row.name) << row.fault << Action::kSave << row.said;
    }
  }

  void imageChangesBehindTheEditor() {
    QFETCH(Fault, fault);
    QFETCH(Action, action);
    QFETCH(QString, said);

    SyntheticImage image;
    FormHarness harness;
    harness.Open(image.path());
    harness.form.List1->setCurrentRow(4);
    harness.form.Text1->setText("AB");

    Inflict(fault, image);
    const auto listing = Listing(image.folder());
    const bool regular = std::filesystem::is_regular_file(image.path());
    const std::vector<std::uint8_t> bytes = regular ? image.Bytes() : std::vector<std::uint8_t>{};

    if (action == Action::kSelect) {
      harness.form.List1->setCurrentRow(700);
    } else {
      harness.form.file_save_Click();
    }

    QCOMPARE(harness.notifier.messages.size(), 1);
    QVERIFY2(harness.notifier.messages.first().contains(said), qPrintable(harness.notifier.messages.first()));
    QVERIFY(harness.notifier.messages.first().contains("image.smc"));
    QCOMPARE(Listing(image.folder()), listing);
    if (regular) QCOMPARE(image.Bytes(), bytes);

    // The editor goes on: with a sound image back in place, the next entry
    // shows and saves as usual.
    if (!regular) std::filesystem::remove_all(image.path());
    WriteWholeFile(image.path(), Pattern(kMinimumImageSize));
    harness.notifier.messages.clear();
    harness.form.List1->setCurrentRow(1);
    harness.form.Text1->setText("5");
    harness.form.file_save_Click();
    QCOMPARE(image.Bytes()[0xF020B + 10], std::uint8_t{0x05});
    QCOMPARE(harness.Shown(1), QString("05"));
    for (const QString& message : harness.notifier.messages) {
      QVERIFY2(message.contains("replaced by another file"), qPrintable(message));
    }
  }
};

QTEST_MAIN(FaultInjectionTest)
#include "fault_injection_test.moc"
