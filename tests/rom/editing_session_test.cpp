// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The editing session against the image file itself: which bytes a Save
// writes and into which file, what it refuses, what a failure part of the
// way leaves, what a display shows when another program changes, replaces
// or removes the image at a chosen moment, and Undo and Redo of Saves.
#include "rom/editing_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scripted_files.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Outcome = SaveResult::Outcome;

// Entry 1's record (F0200-F020A): pointer C3A05F, byte 3 07, Unknown 11 22,
// X 1234, Y 5678, Style AB; the boxes Text1 to Text10 show it as:
const std::vector<std::uint8_t> kRecord = {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0xAB};
constexpr const char* kShown = "AB C3 A0 5F 12 34 56 78 11 22";

std::string Named(const std::optional<RomFailure>& failure) {
  return failure ? std::string(FaultName(failure->fault)) : "-";
}

// What another program, or the disk, does to the image at a chosen open.
enum class Meddle { kNone, kReplace, kReplaceHeaderless, kTruncate, kPointer123456AndX99, kFailOpen, kFailRead };

class Session : public ::testing::Test {
 protected:
  Session() {
    image.Poke(0xF0200, kRecord);
    module.EntryOffsets.Build();
    session.Open(image.path(), session.Examine(image.path()));
    const EditingSession::Display display = session.Show(1);
    shown = display.texts;
    token = display.token;
    original = image.Bytes();
  }

  // Does what another program would, just before the n-th open from now.
  void MeddleAt(int n, Meddle meddle) {
    files.opens = 0;
    files.before_open = [this, n, meddle](int open) {
      if (open == n) Do(meddle);
    };
  }
  void Do(Meddle meddle) {
    if (meddle == Meddle::kReplace || meddle == Meddle::kReplaceHeaderless) {
      // As tools that save by writing a new file and renaming it over the
      // old one do; the old file is kept aside to see what reached it.
      fs::rename(image.path(), old_file());
      testing::WriteWholeFile(image.path(), original);
      if (meddle == Meddle::kReplaceHeaderless) fs::resize_file(image.path(), 0x100000);
    }
    if (meddle == Meddle::kTruncate) fs::resize_file(image.path(), 0xF0300);
    if (meddle == Meddle::kPointer123456AndX99) {
      image.Poke(0xF0200, {0x56, 0x34, 0x12});
      image.Poke(0xF0206, {0x99});
    }
    if (meddle == Meddle::kFailOpen) throw RomError({.fault = RomFault::kBusy, .path = image.path()});
    if (meddle == Meddle::kFailRead) throw RomError({.fault = RomFault::kReadFailed, .reason = "I/O error"});
  }
  fs::path old_file() const { return image.folder() / "old.smc"; }
  BoxTexts With(const std::vector<std::pair<int, std::string>>& edits) const {
    BoxTexts texts = shown;
    for (const auto& [box, text] : edits) texts[IndexOfBox(box)] = text;
    return texts;
  }
  std::string Changed(const fs::path& path) const {
    return fs::is_regular_file(path) ? testing::Changes(original, testing::ReadWholeFile(path)) : "(none)";
  }

  testing::SyntheticImage image;
  testing::ScriptedFiles files;
  Module1 module{files};
  EditingSession session{module};
  BoxTexts shown;
  DisplayToken token = 0;  // the display `shown` came from
  std::vector<std::uint8_t> original;
};

std::string Joined(const std::array<std::optional<std::string>, 10>& texts) {
  std::string joined;
  for (const auto& text : texts) joined.append(joined.empty() ? "" : " ").append(text.value_or("-"));
  return joined;
}

struct SaveCase {
  const char* name;
  std::vector<std::pair<int, std::string>> edits;  // box and its text
  int meddle_at;                                   // counted from the Save's first open
  Meddle meddle;
  Outcome outcome;
  const char* fault;
  const char* in_image;  // how the file at the path differs afterwards
  const char* in_old;    // and the file it replaced, if it was replaced
  const char* texts;     // what the boxes show afterwards; "-" keeps the box's own text
};
class Saving : public Session, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(Saving, WritesOnlyEditsAndOnlyIntoTheFileShown) {
  const SaveCase& c = GetParam();
  MeddleAt(c.meddle_at, c.meddle);
  const SaveResult result = session.Save(With(c.edits), token);
  EXPECT_EQ(result.outcome, c.outcome);
  EXPECT_EQ(result.box != 0 ? "box " + std::to_string(result.box) : Named(result.failure), c.fault);
  EXPECT_EQ(Changed(image.path()), c.in_image);
  EXPECT_EQ(Changed(old_file()), c.in_old);
  EXPECT_EQ(Joined(result.texts), c.texts);
}

// Ten reads check the record before the first write, then one open per byte written.
const std::vector<std::pair<int, std::string>> kPointer7E0A1B = {{2, "7E"}, {3, "0A"}, {4, "1B"}};
const std::vector<std::pair<int, std::string>> kEveryBox = {{1, "A1"}, {2, "A2"}, {3, "A3"}, {4, "A4"},
                                                            {5, "A5"}, {6, "A6"}, {7, "A7"}, {8, "A8"}};
constexpr const char* kKept = "- - - - - - - - - -";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Saving, ::testing::Values(
    SaveCase{"EachBoxIntoItsOwnRecordByte", kEveryBox, 0, Meddle::kNone, Outcome::kSaved, "-", "F0200=A4 F0201=A3 F0202=A2 F0206=A6 F0207=A5 F0208=A8 F0209=A7 F020A=A1", "(none)", "A1 A2 A3 A4 A5 A6 A7 A8 11 22"},
    // "ab" over "AB" is no edit; the Unknown bytes are only ever read.
    SaveCase{"LetterCaseAndUnknownBytesWriteNothing", {{1, "ab"}, {9, "FF"}, {10, "EE"}}, 0, Meddle::kNone, Outcome::kSaved, "-", "", "(none)", kShown},
    // What a box must hold: one or two hex digits, blanks aside; otherwise nothing is written.
    SaveCase{"OneDigit", {{4, "00"}, {5, "5"}}, 0, Meddle::kNone, Outcome::kSaved, "-", "F0200=00 F0207=05", "(none)", "AB C3 A0 00 05 34 56 78 11 22"},
    SaveCase{"BlanksAndLowerCase", {{4, "00"}, {5, "\tf\n0"}}, 0, Meddle::kNone, Outcome::kSaved, "-", "F0200=00 F0207=F0", "(none)", "AB C3 A0 00 F0 34 56 78 11 22"},
    SaveCase{"Letters", {{4, "00"}, {5, "zz"}}, 0, Meddle::kNone, Outcome::kBoxAtFault, "box 5", "", "(none)", kKept},
    SaveCase{"AFinalLetter", {{4, "00"}, {5, "1G"}}, 0, Meddle::kNone, Outcome::kBoxAtFault, "box 5", "", "(none)", kKept},
    SaveCase{"Emptied", {{4, "00"}, {5, ""}}, 0, Meddle::kNone, Outcome::kBoxAtFault, "box 5", "", "(none)", kKept},
    SaveCase{"ThreeDigits", {{4, "00"}, {5, "1FF"}}, 0, Meddle::kNone, Outcome::kBoxAtFault, "box 5", "", "(none)", kKept},
    // An Arabic-Indic three is a digit elsewhere, not here.
    SaveCase{"AnotherScriptsDigit", {{4, "00"}, {5, "\xD9\xA3"}}, 0, Meddle::kNone, Outcome::kBoxAtFault, "box 5", "", "(none)", kKept},
    SaveCase{"ReplacedBetweenTwoWrites", kPointer7E0A1B, 12, Meddle::kReplace, Outcome::kFailed, "replaced", "", "F0202=7E", "- 7E - - - - - - - -"},
    SaveCase{"ReplacedBeforeTheSave", {{1, "5"}}, 1, Meddle::kReplace, Outcome::kFailed, "replaced", "", "", kKept},
    SaveCase{"AWriteFailsPartOfTheWay", kPointer7E0A1B, 12, Meddle::kFailOpen, Outcome::kFailed, "busy", "F0202=7E", "(none)", "- 7E - - - - - - - -"},
    SaveCase{"ChangedByAnotherProgramSinceShown", {{4, "60"}}, 1, Meddle::kPointer123456AndX99, Outcome::kChangedElsewhere, "-", "F0200=56 F0201=34 F0202=12 F0206=99", "(none)", kKept}),
    [](const ::testing::TestParamInfo<SaveCase>& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(Session, AFileShortenedAfterItsCheckIsNeverExtendedAndIsToldAsItIsNow) {
  files.before_write = [this] { fs::resize_file(image.path(), 0x100); };
  const std::optional<RomFailure> failure = session.Save(With({{1, "05"}}), token).failure;
  EXPECT_EQ(Named(failure) + " " + std::to_string(failure.value().size), "outside 256");
  EXPECT_EQ(fs::file_size(image.path()), 0x100u);
}

TEST_F(Session, AFileMadeAnewAtTheImagesPlaceIsAnotherFileEvenWithItsNumber) {
  if (!testing::KeepsBirthTime(image.path())) GTEST_SKIP() << "this file system keeps no birth time";
  const auto identity = [&] { return PlatformFiles().Open(image.path(), FileAccess::kRead)->Examine().identity; };
  const FileIdentity first = identity();
  // Deleted and written anew (a backup copied back) until the file system
  // hands the freed number to the new file, as ext4 does at once.
  for (int attempt = 0; attempt < 50 && (attempt == 0 || identity().file != first.file); ++attempt) {
    fs::remove(image.path());
    testing::WriteWholeFile(image.path(), original);
  }
  if (identity().file != first.file) GTEST_SKIP() << "this file system gave the freed number to no new file";
  EXPECT_EQ(Named(session.Save(With({{1, "05"}}), token).failure), "replaced");
  EXPECT_EQ(Changed(image.path()), "");
}

struct FindCase {
  const char* name;
  std::int32_t shown;
  RecordValue which;
  std::uint32_t value;
  bool forward;
  const char* found;  // the entries that hold it, then the one gone to, "+ wrapped" when it wrapped; or why it stopped
  Meddle at_fifth_read = Meddle::kNone;  // what another program, or the disk, does at the search's fifth read
};
class Finding : public Session, public ::testing::WithParamInterface<FindCase> {};

TEST_P(Finding, GoesToTheNextEntryThatHoldsTheValueAndOnlyReads) {
  // The pointer C3A05F in entry 1 (F0200), 129 (F07AC) and 621 (F1D80);
  // the Y value ABCD only in the data between two runs.
  image.Poke(0xF07AC, {0x5F, 0xA0, 0xC3});
  image.Poke(0xF1D80, {0x5F, 0xA0, 0xC3});
  image.Poke(0xF0790, {0xCD, 0xAB});
  const std::vector<std::uint8_t> before = image.Bytes();
  session.Show(GetParam().shown);
  // It opens the image once, sees that one file from its first read to its
  // last, and closes it on every way out.
  const std::size_t handles = testing::OpenHandleCount();
  files.opens = files.reads = 0;
  // A replacing file holds the pointer in entry 1 alone.
  files.before_read = [this](int read) { Do(read == 5 ? GetParam().at_fifth_read : Meddle::kNone); };
  const SearchResult result = session.Find(GetParam().which, GetParam().value, GetParam().forward);
  std::string found;
  for (std::int32_t entry : result.matches) found += std::to_string(entry) + " ";
  if (!result.matches.empty()) found += "-> " + std::to_string(result.entry) + (result.wrapped ? " + wrapped" : "");
  const std::optional<RomFailure>& failure = result.failure;  // the size now, or the system's reason
  if (failure) found = Named(failure) + " " + (failure->size != 0 ? std::to_string(failure->size) : failure->reason);
  EXPECT_EQ(found, GetParam().found);
  EXPECT_EQ(files.opens, 1);
  EXPECT_EQ(testing::OpenHandleCount(), handles);
  EXPECT_TRUE(GetParam().at_fifth_read != Meddle::kNone || image.Bytes() == before);
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Finding, ::testing::Values(
    FindCase{"SeveralEntriesAcrossRuns", 1, RecordValue::kPointer, 0xC3A05F, true, "1 129 621 -> 129"},
    FindCase{"Backwards", 621, RecordValue::kPointer, 0xC3A05F, false, "1 129 621 -> 129"},
    FindCase{"WrapsPastTheLastEntry", 621, RecordValue::kPointer, 0xC3A05F, true, "1 129 621 -> 1 + wrapped"},
    FindCase{"WrapsPastTheFirstEntry", 1, RecordValue::kPointer, 0xC3A05F, false, "1 129 621 -> 621 + wrapped"},
    FindCase{"NoEntry", 1, RecordValue::kPointer, 0x123456, true, ""},
    FindCase{"OnlyTheShownEntry", 1, RecordValue::kY, 0x5678, true, "1 -> 1 + wrapped"},
    FindCase{"OnlyBetweenRuns", 1, RecordValue::kY, 0xABCD, true, ""},
    FindCase{"SeesOneFileThoughReplacedPartOfTheWay", 1, RecordValue::kPointer, 0xC3A05F, true, "1 129 621 -> 129", Meddle::kReplace},
    FindCase{"StopsWhereAReadFails", 1, RecordValue::kPointer, 0xC3A05F, true, "read failed I/O error", Meddle::kFailRead},
    FindCase{"StopsWhereTheFileWasShortenedWithItsSizeNow", 1, RecordValue::kPointer, 0xC3A05F, true, "became short 983808", Meddle::kTruncate}),
    [](const ::testing::TestParamInfo<FindCase>& row) { return std::string(row.param.name); });
// clang-format on

struct DisplayCase {
  const char* name;
  int meddle_at;  // counted from the display's first open
  Meddle meddle;
  const char* shown;  // or the fault
  std::int32_t shown_entry, undo_entry;
};
class Displaying : public Session, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(Displaying, ShowsEveryByteFromOneFileOrNoEntryAtAll) {
  ASSERT_EQ(session.Save(With({{1, "05"}}), token).outcome, Outcome::kSaved);  // a Save that Undo could take
  // The file that replaces the image holds 3C in every byte of entry 2.
  for (std::uint32_t k = 0; k < 11; ++k) original.at(0xF020B + k) = 0x3C;
  MeddleAt(GetParam().meddle_at, GetParam().meddle);
  std::string shown_now;
  try {
    for (const std::string& text : session.Show(2).texts) shown_now.append(shown_now.empty() ? "" : " ").append(text);
  } catch (const RomError& failure) {
    shown_now = Named(failure.failure());
  }
  files.before_open = nullptr;
  EXPECT_EQ(shown_now, GetParam().shown);
  EXPECT_EQ(session.ShownEntry(), GetParam().shown_entry);
  EXPECT_EQ(session.NextStepEntry(HistoryDirection::kUndo), GetParam().undo_entry);
  if (session.ShownEntry() == 0 && fs::is_regular_file(image.path())) {  // nothing a Save could write
    const std::vector<std::uint8_t> before = image.Bytes();
    EXPECT_EQ(session.Save(With({{1, "77"}}), session.CurrentDisplay()).outcome, Outcome::kNoEntry);
    EXPECT_EQ(image.Bytes(), before);
  }
}

constexpr const char* kAll3C = "3C 3C 3C 3C 3C 3C 3C 3C 3C 3C";
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Displaying, ::testing::Values(
    DisplayCase{"ReplacedBeforeTheFirstRead", 1, Meddle::kReplace, kAll3C, 2, 0},
    DisplayCase{"ReplacedBetweenTwoReads", 3, Meddle::kReplace, kAll3C, 2, 0},
    DisplayCase{"AReadFailsPartOfTheWay", 3, Meddle::kFailOpen, "busy", 0, 1},
    DisplayCase{"Truncated", 1, Meddle::kTruncate, "became short", 0, 1},
    DisplayCase{"NotTakenOnWhenTheNewFileSeemsHeaderless", 1, Meddle::kReplaceHeaderless, "replaced, no header", 0, 1}),
    [](const ::testing::TestParamInfo<DisplayCase>& row) { return std::string(row.param.name); });
// clang-format on

// Runs of steps: "save B=XX ..." (box and text), "mine B=XX ..." (Save
// Mine: each value changed written whole), "type B=XX ..." (edits left in
// the boxes), "undo", "redo", "show N", "behind N" (entry N shown anew
// while the boxes keep the texts of the display before), "open" (the same
// image again),
// "poke" (another program sets the pointer's low byte to 61, or "poke
// F0206=99" the byte named), "meddle" (it saves pointer 123456 and X low
// byte 99), "replace", "fail N" (the N-th open from now fails, as one
// would while another program holds the file) and "unflushed" (the next
// byte written reaches the file, but its flush fails).
struct StepsCase {
  const char* name;
  std::vector<std::string> steps;
  const char* outcome;  // of the last step: saved, changed, done, nothing, refused or failed, and what it found
  const char* in_image;
  std::int32_t undo_entry, redo_entry, shown_entry;
};
class Steps : public Session, public ::testing::WithParamInterface<StepsCase> {
 protected:
  // An outcome as the table writes it: "changed 4:95>86" (a box, and its
  // byte as expected and as found, in decimal), "failed busy".
  static std::string Told(std::string told, const std::optional<RomFailure>& failure,
                          const std::vector<ChangedByte>& changes) {
    if (failure) told.append(" ").append(Named(failure));
    for (const ChangedByte& change : changes) {
      told.append(" ").append(std::to_string(change.slot.box)).append(":").append(std::to_string(change.shown));
      told.append(">").append(std::to_string(change.now));
    }
    return told;
  }
  std::string Run(const std::string& step) {
    const std::string verb = step.substr(0, step.find(' '));
    if (verb == "save" || verb == "mine" || verb == "type" || verb == "takeon") {
      BoxTexts texts = boxes;
      for (std::size_t at = step.find(' '); at != std::string::npos; at = step.find(' ', at + 1)) {
        const std::size_t equals = step.find('=', at);
        texts.at(std::stoul(step.substr(at + 1, equals - at - 1)) - 1) = step.substr(equals + 1, 2);
      }
      if (verb == "type") {
        boxes = texts;
        return "";
      }
      if (verb == "takeon") return TakeOn(texts);
      const SaveResult result =
          session.Save(texts, display, step[0] == 'm' ? SaveScope::kEditedValuesWhole : SaveScope::kEditedBytes);
      boxes = texts;  // and what the Save put into them
      for (std::size_t box = 0; box < boxes.size(); ++box) boxes[box] = result.texts[box].value_or(boxes[box]);
      const std::string told = std::string(OutcomeName(result.outcome)) + (result.changed_since_told ? " again" : "");
      return Told(told, result.failure, result.changes);
    }
    if (step == "undo" || step == "redo") {
      const auto result =
          session.TakeStep(step == "undo" ? HistoryDirection::kUndo : HistoryDirection::kRedo, boxes, display);
      if (result.display) boxes = result.display->texts, display = result.display->token;
      std::string told = Told(std::string(OutcomeName(result.outcome)), result.failure,
                              result.changed ? std::vector{*result.changed} : std::vector<ChangedByte>{});
      if (result.outcome != EditingSession::StepResult::Outcome::kFailed) return told;
      return told.append(" ").append(std::to_string(result.taken)).append("/").append(std::to_string(result.total));
    }
    if (step.rfind("show", 0) == 0) {
      const EditingSession::Display shown_now = session.Show(std::stoi(step.substr(5)));
      boxes = shown_now.texts;
      display = shown_now.token;
    }
    if (step.rfind("behind", 0) == 0) session.Show(std::stoi(step.substr(7)));
    if (step == "open") session.Open(image.path(), session.Examine(image.path()));
    if (step == "poke") image.Poke(0xF0200, {0x61});
    if (step.rfind("poke ", 0) == 0)  // "poke F0206=99"
      image.Poke(std::uint32_t(std::stoul(step.substr(5, 5), nullptr, 16)),
                 {std::uint8_t(std::stoul(step.substr(11), nullptr, 16))});
    if (step == "unflushed") files.fail_next_flush = true;
    if (step == "meddle") Do(Meddle::kPointer123456AndX99);
    if (step == "replace") Do(Meddle::kReplace);
    if (step == "truncate") Do(Meddle::kTruncate);
    if (step == "anew") fs::remove(image.path()), testing::WriteWholeFile(image.path(), original);
    if (step == "headerless") fs::resize_file(image.path(), 0x100000);
    if (step.rfind("fail", 0) == 0) MeddleAt(std::stoi(step.substr(5)), Meddle::kFailOpen);
    return "";
  }
  // The file now at the image's path taken on, the edits kept: "taken" and
  // the boxes, or "unfit" and why.
  std::string TakeOn(const BoxTexts& texts) {
    try {
      const CheckedImage checked = session.Examine(image.path());
      const EditingSession::Display taken = session.TakeOnReplacement(checked, texts, display).value();
      std::string told = "taken";
      for (const std::string& text : boxes = taken.texts) told.append(" ").append(text);
      display = taken.token;
      return told + (checked.SeemsToLackHeader() ? " headerless" : "");
    } catch (const RomError& failure) {
      return "unfit " + Named(failure.failure());
    }
  }
  BoxTexts boxes = shown;
  DisplayToken display = token;
};

TEST_P(Steps, WriteOnlyWhatTheFileStillHoldsAsTheUserSawIt) {
  const StepsCase& c = GetParam();
  std::string outcome;
  for (const std::string& step : c.steps) outcome = Run(step);
  EXPECT_EQ(outcome, c.outcome);
  EXPECT_EQ(Changed(image.path()), c.in_image);
  EXPECT_EQ(session.NextStepEntry(HistoryDirection::kUndo), c.undo_entry);
  EXPECT_EQ(session.NextStepEntry(HistoryDirection::kRedo), c.redo_entry);
  EXPECT_EQ(session.ShownEntry(), c.shown_entry);
}

// Ten reads check the record before the first write of a Save or a step:
// the first write is the eleventh open, the second the twelfth.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, Steps, ::testing::Values(
    StepsCase{"UndoPutsBackWhatTheSaveReplaced", {"save 4=60 1=05", "show 2", "undo"}, "done", "", 0, 1, 1},
    StepsCase{"RedoWritesItAgain", {"save 4=60 1=05", "undo", "redo"}, "done", "F0200=60 F020A=05", 1, 0, 1},
    StepsCase{"RefusedAfterAnotherProgramsChange", {"save 4=60", "poke", "undo"}, "refused 4:96>97", "F0200=61", 1, 0, 1},
    // The new file holds what the Save replaced, but is another file.
    StepsCase{"RefusedAfterTheImageWasReplaced", {"save 4=60", "replace", "undo"}, "refused replaced", "", 1, 0, 1},
    StepsCase{"AFailurePartOfTheWayKeepsTheRestToUndo", {"save 2=7E 3=0A 4=1B", "fail 12", "undo"}, "failed busy 1/3", "F0200=1B F0201=0A", 1, 1, 1},
    StepsCase{"WhatAFailureLeftCanBeTakenLater", {"save 2=7E 3=0A 4=1B", "fail 12", "undo", "fail 99", "undo", "redo", "redo"}, "done", "F0200=1B F0201=0A F0202=7E", 1, 0, 1},
    StepsCase{"WhatAFailedSaveWroteCanBeUndone", {"fail 12", "save 2=7E 3=0A 4=1B", "show 1", "undo"}, "done", "", 0, 1, 1},
    // That Save wrote nothing, so is no step.
    StepsCase{"ASaveThatWroteNothingKeepsRedo", {"save 4=60", "undo", "fail 11", "save 1=05"}, "failed busy", "", 0, 1, 1},
    StepsCase{"ANewSaveClearsRedo", {"save 4=60", "undo", "save 1=05"}, "saved", "F020A=05", 1, 0, 1},
    StepsCase{"OpenStartsANewHistory", {"save 4=60", "undo", "save 1=05", "open"}, "", "F020A=05", 0, 0, 0},
    StepsCase{"NothingToUndo", {"undo"}, "nothing", "", 0, 0, 1},
    // No value is left made of two programs' bytes: each value the step touched must be as the step left it.
    StepsCase{"UndoRefusedWhenAnotherByteOfTheValueChanged", {"save 4=60", "poke F0202=12", "undo"}, "refused 2:195>18", "F0200=60 F0202=12", 1, 0, 1},
    StepsCase{"RedoRefusedWhenAnotherByteOfTheValueChanged", {"save 4=60", "undo", "poke F0202=12", "redo"}, "refused 2:195>18", "F0202=12", 0, 1, 1},
    StepsCase{"AChangeToAValueTheStepDidNotTouchStays", {"save 4=60", "poke F0206=99", "undo"}, "done", "F0206=99", 0, 1, 1},
    // The step's entry is shown afterwards, so edits in the boxes are settled first.
    StepsCase{"NotTakenWhileTheBoxesHoldEdits", {"save 4=60", "show 2", "type 1=77", "undo"}, "unsettled", "F0200=60", 1, 0, 2},
    // A byte whose flush failed is in the file: it counts as written, for the next Save and for Undo.
    StepsCase{"AnUnflushedByteCountsAsWritten", {"unflushed", "save 1=05"}, "failed flush failed", "F020A=05", 1, 0, 1},
    StepsCase{"ASaveAfterAnUnflushedByteBlamesNoOne", {"unflushed", "save 1=05", "save 4=60"}, "saved", "F0200=60 F020A=05", 1, 0, 1},
    StepsCase{"AnUnflushedByteCanBeUndone", {"unflushed", "save 1=05", "undo"}, "done", "", 0, 1, 1},
    StepsCase{"AnUnflushedUndoCountsAsTaken", {"save 4=60", "unflushed", "undo", "redo"}, "done", "F0200=60", 1, 0, 1},
    StepsCase{"ASaveOfLetterCaseAloneIsNoStep", {"save 1=ab", "undo"}, "nothing", "", 0, 0, 1},
    // Once the user has heard of another program's change, the values they changed go whole; the rest stays.
    StepsCase{"AChangeElsewhereIsHeardOf", {"meddle", "save 4=60"}, "changed 2:195>18 3:160>52 4:95>86 6:52>153", "F0200=56 F0201=34 F0202=12 F0206=99", 0, 0, 1},
    StepsCase{"SaveMineWritesEachValueWhole", {"meddle", "save 4=60", "mine 4=60"}, "saved", "F0200=60 F0206=99", 1, 0, 1},
    StepsCase{"WhatWasHeardIsForgottenOnceSaved", {"meddle", "save 4=60", "mine 4=60", "mine 1=05"}, "saved", "F0200=60 F0206=99 F020A=05", 1, 0, 1},
    StepsCase{"ChangedAgainSinceItWasHeardOf", {"meddle", "save 4=60", "poke", "mine 4=60"}, "changed again 4:86>97", "F0200=61 F0201=34 F0202=12 F0206=99", 0, 0, 1},
    StepsCase{"WhatWasHeardIsForgottenOnAnotherEntry", {"meddle", "save 4=60", "show 2", "mine 1=05"}, "saved", "F0200=56 F0201=34 F0202=12 F0206=99 F0215=05", 2, 0, 2},
    // Texts taken from one display are never written over another's, even of the same entry.
    StepsCase{"NotSavedOnceTheSameEntryIsShownAnew", {"behind 1", "save 1=05"}, "other display", "", 0, 0, 1},
    StepsCase{"NotSavedIntoAnotherEntryShownSince", {"meddle", "save 4=60", "behind 5", "mine 4=60"}, "other display", "F0200=56 F0201=34 F0202=12 F0206=99", 0, 0, 5},
    StepsCase{"NotSavedIntoAFileThatReplacedTheImageSince", {"replace", "behind 1", "save 1=05"}, "other display", "", 0, 0, 1},
    StepsCase{"NotUndoneFromAnotherDisplay", {"save 1=05", "behind 1", "undo"}, "other display", "F020A=05", 1, 0, 1},
    // Another program's new file taken on with the edits kept, as the user saw neither: its bytes in the
    // other boxes, the history anew; a Save then writes only what differs from it.
    StepsCase{"TakesOnAFileRenamedOver", {"save 1=05", "replace", "poke F0206=99", "takeon 4=00"}, "taken AB C3 A0 00 12 99 56 78 11 22", "F0206=99", 0, 0, 1},
    StepsCase{"ThenSavesEachValueTheUserChangedWhole", {"replace", "poke F0202=D0", "poke F0206=99", "takeon 1=05 4=00", "save"}, "saved", "F0200=00 F0206=99 F020A=05", 1, 0, 1},
    StepsCase{"TakesOnTheSameFileRewritten", {"poke F0206=99", "takeon 4=00"}, "taken AB C3 A0 00 12 99 56 78 11 22", "F0206=99", 0, 0, 1},
    StepsCase{"TakesOnAFileDeletedAndMadeAnew", {"anew", "takeon 4=00"}, "taken AB C3 A0 00 12 34 56 78 11 22", "", 0, 0, 1},
    StepsCase{"TakesOnAFileThatSeemsHeaderless", {"headerless", "takeon 4=00"}, "taken AB C3 A0 00 12 34 56 78 11 22 headerless", "length F284E->100000", 0, 0, 1},
    StepsCase{"ATooShortFileChangesNothing", {"save 1=05", "truncate", "takeon 4=00"}, "unfit too short", "length F284E->F0300 F020A=05", 1, 0, 1}),
    [](const ::testing::TestParamInfo<StepsCase>& row) { return std::string(row.param.name); });
// clang-format on

}  // namespace
}  // namespace quorvane
