// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The choices the window's words make: a plural, which words for which
// text or fault. (What each message says as facts is checked where the
// user meets it.)
#include "window/messages.h"

#include <QTest>

namespace quorvane {
namespace {

SaveResult Saved(std::size_t written, std::size_t to_write) {
  SaveResult result;
  result.outcome = written == to_write ? SaveResult::Outcome::kSaved : SaveResult::Outcome::kFailed;
  result.entry = 3;
  result.to_write = to_write;
  result.written.assign(written, WrittenByte{kFieldTable[0], 0, 0});
  return result;
}

RomFailure Failure(RomFault fault, FileAccess access) {
  return {.fault = fault, .path = "door.smc", .access = access, .reason = "Permission denied"};
}

}  // namespace

class MessagesTest : public QObject {
  Q_OBJECT

 private slots:
  void theWordsFitTheFacts_data() {
    QTest::addColumn<QString>("said");
    QTest::addColumn<QString>("words");  // the words that make the choice
    QTest::newRow("two bytes saved") << Messages::SaveSummary(Saved(2, 2)) << "Saved 2 bytes into Entry 3";
    QTest::newRow("one of two saved") << Messages::SaveSummary(Saved(1, 2)) << "Saved 1 of 2 bytes into Entry 3";
    QTest::newRow("nothing to save") << Messages::SaveSummary(Saved(0, 0)) << "Nothing to save in Entry 3";
    QTest::newRow("nothing saved") << Messages::SaveSummary(Saved(0, 1)) << "Nothing was saved";
    QTest::newRow("a pointer pasted") << Messages::PasteRefused("C3A05F").text << "is a whole text pointer";
    QTest::newRow("an X or Y pasted") << Messages::PasteRefused("0120").text << "is a whole X or Y";
    QTest::newRow("seven digits pasted") << Messages::PasteRefused("D1E2F34").text << "is not a byte";
    // Another program's change met again by Save Mine, after the user was told of the first.
    SaveResult again;
    again.outcome = SaveResult::Outcome::kChangedElsewhere;
    again.changed_since_told = true;
    QTest::newRow("changed again") << Messages::ChangedElsewhere(again, {}, "x").text << "again since you were told";
    QTest::newRow("cannot write") << Messages::Describe(Failure(RomFault::kCannotOpen, FileAccess::kWrite)).text
                                  << "writing: Permission denied. If the file is read-only, make it writable";
    QTest::newRow("cannot read") << Messages::Describe(Failure(RomFault::kCannotOpen, FileAccess::kRead)).text
                                 << "\"door.smc\" for reading: Permission denied.";
  }
  void theWordsFitTheFacts() {
    QFETCH(QString, said);
    QFETCH(QString, words);
    QVERIFY2(said.contains(words), qPrintable(said));
  }
};

}  // namespace quorvane

QTEST_GUILESS_MAIN(quorvane::MessagesTest)
#include "messages_test.moc"
