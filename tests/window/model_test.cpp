// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The whole window driven through long random runs of what users and other
// programs do, each step checked against a model of what the two images may
// hold, written from the record layout's own numbers. A run is a list of
// steps, so a failing one can be replayed and cut short; the shortest
// sequences found are kept as fixed cases. Any seed, any length:
//   QUORVANE_MODEL_SEED=7 QUORVANE_MODEL_STEPS=5000 QT_QPA_PLATFORM=offscreen build/test/tests/model_test
#include <QAccessible>
#include <QClipboard>
#include <map>
#include <random>
#include <set>

#include "form_harness.h"

using namespace quorvane;
using namespace quorvane::testing;
namespace fs = std::filesystem;

namespace {

// The runs of records: the last entry of each, and where its first record lies.
constexpr std::pair<int, std::uint32_t> kRuns[] = {
    {128, 0xF0200}, {132, 0xF07AC}, {136, 0xF07F8}, {213, 0xF0848}, {238, 0xF0BB7}, {309, 0xF0CD2}, {316, 0xF0FE7},
    {330, 0xF1058}, {412, 0xF10F6}, {439, 0xF1480}, {620, 0xF15AD}, {621, 0xF1D80}, {669, 0xF1DA3}, {671, 0xF1FD3},
    {702, 0xF1FF5}, {736, 0xF216C}, {758, 0xF22F7}, {784, 0xF2499}, {828, 0xF25C3}, {841, 0xF27BF}};
std::uint32_t RecordOf(int entry) {
  int first = 1;
  for (const auto& [last, base] : kRuns) {
    if (entry <= last) return base + 11 * static_cast<std::uint32_t>(entry - first);
    first = last + 1;
  }
  return 0;
}
// The record byte that Text1 to Text10 show.
constexpr std::uint32_t kByteOf[] = {10, 2, 1, 0, 7, 6, 9, 8, 4, 5};
constexpr std::uint32_t kRegion = 0xF0000;  // the program touches nothing before it
constexpr int kRows[] = {0, 1, 4, 127, 128, 620, 840};
const QStringList kKeys = {"0",         "5",         "9",   "a",      "C",    "f",  "g",    "z",    "Tab",
                           "Shift+Tab", "Backspace", "Del", "Ctrl+Z", "Redo", "Up", "Down", "Space"};
const QStringList kListKeys = {"1", "2", "5", "Up", "Down", "Tab", "Shift+Tab", "Ctrl+Z", "Redo"};
const QStringList kPastes = {"C3A05F", "12", "0120", " 7e ", "zz9", "D1E2F34", "a b"};

// A box's text as the byte a Save writes: one or two hex digits, blanks aside.
std::optional<std::uint8_t> Byte(QString text) {
  text.remove(' ').remove('\t').remove('\n');
  bool hex = false;
  const uint value = text.toUInt(&hex, 16);
  if (text.isEmpty() || text.size() > 2 || !hex || text.startsWith('+') || text.startsWith('-')) return std::nullopt;
  return static_cast<std::uint8_t>(value);
}

// One image as another program leaves it, and the values each byte a box
// shows may hold: the other program's, and those the user typed for it.
struct ImageModel {
  std::unique_ptr<SyntheticImage> image;
  std::vector<std::uint8_t> bytes;
  std::uint64_t size = kFullImageSize;
  std::map<std::uint32_t, std::set<std::uint8_t>> allowed;
  DisplayToken meddled_during = ~DisplayToken{0};  // the display shown when another program last wrote
};

class Run {
 public:
  explicit Run(std::mt19937* random) : random_(random) {
    for (const char* name : {"a.smc", "b.smc"}) {
      images_[name].bytes = (images_[name].image = std::make_unique<SyntheticImage>(kFullImageSize, name))->Bytes();
    }
    // Inside a question, the typing pause passes, and assistive software may type.
    harness_.dialogs.while_open = [this] {
      harness_.form.List1->TypingPaused();
      const QStringList assist = std::exchange(inside_, {});  // into box N, the text
      if (!assist.isEmpty())
        QAccessible::queryAccessibleInterface(harness_.form.Box(assist[1].toInt()))
            ->setText(QAccessible::Value, assist[2]);
    };
    harness_.Open(images_["a.smc"].image->path());
  }

  // Makes up the next step from the random numbers.
  QString NextStep() {
    const auto pick = [this](const auto& list) { return list[static_cast<std::size_t>(Pick(std::ssize(list)))]; };
    // Where edits meet the list, what happens next is what could go wrong:
    // a number typed there, a pause, and whatever asks a question.
    const bool in_list = harness_.Focused() == harness_.form.List1;
    const bool edits = harness_.form.isWindowModified();
    const int kind = in_list && edits && Pick(2) == 0 ? -1 : edits && Pick(8) == 0 ? -2 : Pick(100);
    const QStringList meeting = {"number 5",   "number 12", "key 3", "key Down", "save",       "save",
                                 "poke 1 102", "poke 10 7", "undo",  "goto 5",   "open b.smc", "pause"};
    const QStringList plain = {"save",  "save",  "save", "undo", "redo",    "copy",    "find",    "next", "previous",
                               "pause", "pause", "list", "list", "replace", "shorten", "restore", "away"};
    const QString step = kind == -2  ? "list"
                         : kind < 0  ? pick(meeting)
                         : kind < 35 ? "key " + (in_list ? pick(kListKeys) : pick(kKeys))
                         : kind < 39 ? "paste " + pick(kPastes)
                         : kind < 47 ? QStringLiteral("box %1").arg(1 + Pick(8))
                         : kind < 53 ? QStringLiteral("row %1").arg(pick(kRows))
                         : kind < 56 ? QStringLiteral("goto %1").arg(1 + pick(kRows))
                         : kind < 58 ? QString(Pick(2) ? "open a.smc" : "open b.smc")
                         : kind < 66 ? QStringLiteral("poke %1 %2").arg(Pick(11)).arg(Pick(256))
                                     : pick(plain);
    return step + QStringLiteral(" / %1").arg(Pick(36));  // how the questions of the step are answered
  }

  // Takes a step; what is wrong afterwards, if anything.
  QString Take(const QString& step) {
    Form1& form = harness_.form;
    const std::int32_t shown = harness_.session.ShownEntry();
    // What the boxes hold before the step, the user may save into the entry shown.
    for (int box = 1; box <= 8 && shown != 0; ++box) {
      if (const auto byte = Byte(form.Box(box)->text()))
        Shown().allowed[RecordOf(shown) + kByteOf[box - 1]].insert(*byte);
    }
    const QString action = step.section(" / ", 0, 0);
    const QStringList words = action.split(' ');
    const QString& what = words.value(1);
    const int answers = step.section(" / ", 1).toInt();
    ScriptedDialogs& dialogs = harness_.dialogs;
    dialogs.edits_answer = static_cast<Notifier::EditsAnswer>(answers % 3);
    dialogs.changed_elsewhere_answer = static_cast<Notifier::ChangedElsewhereAnswer>(answers / 3 % 3);
    dialogs.open_anyway = answers / 9 % 2 != 0;
    dialogs.show_new_file = answers / 18 != 0;
    dialogs.entry_number = what;
    const QMap<QString, QAction*> commands = {{"save", form.file_save},     {"undo", form.edit_undo},
                                              {"redo", form.edit_redo},     {"copy", form.edit_copypointer},
                                              {"next", form.edit_findnext}, {"previous", form.edit_findprevious},
                                              {"goto", form.edit_goto}};
    if (words[0] == "paste") QGuiApplication::clipboard()->setText(action.mid(6));
    if (words[0] == "pause" || words[0] == "number") form.List1->TypingPaused();  // a number starts anew after it
    if (words[0] == "key" || words[0] == "number" || words[0] == "paste")
      harness_.Press(words[0] == "paste" ? "Ctrl+V" : what);
    if (words[0] == "box") QTest::mouseClick(form.Box(what.toInt()), Qt::LeftButton);
    if (words[0] == "row") harness_.ClickEntry(what.toInt());
    if (words[0] == "list") form.List1->setFocus(Qt::TabFocusReason);  // as Tab would reach it
    if (commands.contains(words[0])) commands[words[0]]->trigger();
    if (words[0] == "open") harness_.Open(images_[what.toStdString()].image->path());
    if (words[0] == "assist") inside_ = words;
    if (words[0] == "away")  // to another program and back
      for (auto state : {Qt::ApplicationInactive, Qt::ApplicationActive}) emit qApp->applicationStateChanged(state);
    if (words[0] == "find" && (form.edit_find->trigger(), form.FindEntry() != nullptr)) {
      QApplication::setActiveWindow(form.FindEntry());
      QTest::keyClick(form.FindEntry()->Value(), Qt::Key_Return);  // Find Next, from the shown entry's pointer
      QTest::keyClick(form.FindEntry(), Qt::Key_Escape);
      QCoreApplication::processEvents();
      QApplication::setActiveWindow(&form);  // as the window manager gives it back
    }
    Meddle(words);
    QCoreApplication::processEvents();
    return Check();
  }

 private:
  int Pick(qsizetype count) { return static_cast<int>((*random_)() % static_cast<std::uint32_t>(count)); }
  ImageModel& Shown() { return images_[harness_.session.ImagePath().filename().string()]; }

  // Another program, between two steps, on the image the window holds.
  void Meddle(const QStringList& words) {
    ImageModel& model = Shown();
    const fs::path path = model.image->path();
    if (words[0] == "poke" && model.size == kFullImageSize) {
      const std::uint32_t at =
          RecordOf(harness_.session.ShownEntry() != 0 ? harness_.session.ShownEntry() : 2) + words[1].toUInt();
      model.allowed[at].insert(model.bytes[at] = static_cast<std::uint8_t>(words[2].toUInt()));
      model.image->Poke(at, {model.bytes[at]});
    }
    if (words[0] == "replace") {  // a new file renamed over the old one
      WriteWholeFile(path.string() + ".new", {model.bytes.begin(), model.bytes.begin() + std::ptrdiff_t(model.size)});
      fs::rename(path.string() + ".new", path);
    }
    if (words[0] == "shorten" || words[0] == "restore") {
      model.size = words[0] == "shorten" ? std::min<std::uint64_t>(model.size, 0xF0300) : kFullImageSize;
      fs::resize_file(path, model.size);
      if (model.size == kFullImageSize) model.image->Poke(kRegion, {model.bytes.begin() + kRegion, model.bytes.end()});
    }
    if (QStringList({"poke", "replace", "shorten", "restore"}).contains(words[0])) {
      model.meddled_during = harness_.session.CurrentDisplay();
    }
  }

  QString Check() {
    std::vector<std::uint8_t> shown_file;
    for (auto& [name, model] : images_) {
      const std::vector<std::uint8_t> bytes = model.image->Bytes();
      if (&model == &Shown()) shown_file = bytes;
      std::uint32_t at = bytes.size() != model.size ? 0 : kRegion;
      if (at == 0 || !std::equal(bytes.begin(), bytes.begin() + kRegion, model.bytes.begin())) return "size or prefix";
      while (at < bytes.size() && (bytes[at] == model.bytes[at] || model.allowed[at].count(bytes[at]) != 0)) ++at;
      if (at < bytes.size())
        return QStringLiteral("%1 holds %2 at %3, which nobody chose").arg(name.c_str()).arg(bytes[at]).arg(at, 0, 16);
    }
    // The marks agree with the boxes and the file, while the file is as the entry was read.
    const Form1& form = harness_.form;
    const std::int32_t entry = harness_.session.ShownEntry();
    if (entry == 0 || Shown().size != kFullImageSize || Shown().meddled_during == harness_.session.CurrentDisplay())
      return {};
    bool edited = false;
    for (int box = 1; box <= 10; ++box) {
      const bool differs = Byte(form.Box(box)->text()) != shown_file[RecordOf(entry) + kByteOf[box - 1]];
      if (differs != (box <= 8 && form.Box(box)->font().bold())) return QStringLiteral("Text%1").arg(box);
      edited = edited || differs;
    }
    return edited == form.isWindowModified() ? QString() : QStringLiteral("the title's mark");
  }

  std::mt19937* random_;
  std::map<std::string, ImageModel> images_;
  QStringList inside_;  // what assistive software types inside the next question

 public:
  FormHarness harness_;
};

}  // namespace

class ModelTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    // The typing pause passes only when a step says so.
    QApplication::setKeyboardInputInterval(24 * 60 * 60 * 1000);
  }

  // Steps as the random runs take them; after " / ", how questions are
  // answered: edits (0 Save, 1 Don't Save, 2 Cancel) + 3 x changed
  // elsewhere (0 Reload, 1 Save Mine, 2 Cancel) + 9 x open anyway + 18 x show
  // the new file that replaced the image.
  void fixedSequences_data() {
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("after");  // the entry shown | questions asked | warnings
    // Style edited, a number typed into the list, then a question: nothing else may act inside it. Were
    // the number to go to its entry there, Save Mine would write entry 1's values into entry 5.
    const QStringList typed = {"box 1 / 0", "key 5 / 0", "list / 0", "key 5 / 0"};
    QTest::newRow("Save Mine") << QStringList{"poke 0 102 / 0"} + typed + QStringList{"save / 4"} << "1 | 1 | 0";
    QTest::newRow("Down, Save") << typed + QStringList{"key Down / 0"} << "2 | 1 | 0";
    // Assistive software can type while a question is open: the answer is then not acted on.
    QTest::newRow("typed inside") << QStringList{"poke 0 102 / 0", "assist 5 77 / 0"} + typed + QStringList{"save / 4"}
                                  << "1 | 1 | 1";
  }

  void fixedSequences() {
    QFETCH(QStringList, steps);
    QFETCH(QString, after);
    Run run(nullptr);
    for (const QString& step : steps) QCOMPARE(step + ": " + run.Take(step), step + ": ");
    const ScriptedDialogs& dialogs = run.harness_.dialogs;
    const std::int32_t shown = run.harness_.session.ShownEntry();
    QCOMPARE(QStringLiteral("%1 | %2 | %3").arg(shown).arg(dialogs.asked.size() - 1).arg(dialogs.warnings.size()),
             after);
  }

  void randomRunsKeepEveryByteAsSomebodyChoseIt_data() {
    QTest::addColumn<unsigned>("seed");
    QTest::addColumn<int>("steps");
    const auto seed = static_cast<unsigned>(qEnvironmentVariableIntValue("QUORVANE_MODEL_SEED"));
    if (seed != 0) {
      QTest::addRow("seed %u", seed) << seed << qEnvironmentVariableIntValue("QUORVANE_MODEL_STEPS");
      return;
    }
    for (unsigned fixed = 1; fixed <= 8; ++fixed) QTest::addRow("seed %u", fixed) << fixed << 400;
  }
  void randomRunsKeepEveryByteAsSomebodyChoseIt() {
    QFETCH(unsigned, seed);
    QFETCH(int, steps);
    std::mt19937 random(seed);
    QStringList taken;
    QString wrong;
    for (Run run(&random); taken.size() < steps && wrong.isEmpty();)
      wrong = run.Take(taken.emplace_back(run.NextStep()));
    if (wrong.isEmpty()) return;
    // Cut short: drop each step whose absence still fails.
    const auto failing = [](const QStringList& tried) {  // the steps up to the first failure, or none
      Run run(nullptr);
      for (qsizetype at = 0; at < tried.size(); ++at)
        if (!run.Take(tried[at]).isEmpty()) return tried.mid(0, at + 1);
      return QStringList();
    };
    QStringList shortest = taken;
    for (qsizetype at = shortest.size() - 2; at >= 0; --at) {
      QStringList without = shortest;
      without.removeAt(at);
      if (const QStringList failed = failing(without); !failed.isEmpty()) shortest = failed;
    }
    QFAIL(qPrintable(QStringLiteral("seed %1, step %2: %3\nshortest failing steps:\n  %4")
                         .arg(seed)
                         .arg(taken.size())
                         .arg(wrong, shortest.join("\n  "))));
  }
};

QTEST_MAIN(ModelTest)
#include "model_test.moc"
