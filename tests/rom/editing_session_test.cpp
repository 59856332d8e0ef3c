// The editing session against the image file itself: which bytes a Save
// writes and into which file, what it refuses, what a failure part of the
// way leaves, and what a display shows when another program changes or
// replaces the image at a chosen moment (through the file layer's steps).
#include "rom/editing_session.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "rom/rom_error.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

namespace fs = std::filesystem;
using Outcome = SaveResult::Outcome;

// Entry 1's record (F0200-F020A): pointer C3A05F, byte 3 07, Unknown 11 22,
// X 1234, Y 5678, Style AB; the boxes Text1 to Text10 show it as:
const std::vector<std::uint8_t> kRecord = {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0xAB};
constexpr const char* kShown = "AB C3 A0 5F 12 34 56 78 11 22";

// What another program does to the image, and when.
enum class Meddle { kNone, kReplace, kSavePointer123456AndX99 };

std::string Joined(const std::array<std::optional<std::string>, 10>& texts) {
  std::string joined;
  for (const auto& text : texts) joined += (joined.empty() ? "" : " ") + text.value_or("-");
  return joined;
}

class Session : public ::testing::Test {
 protected:
  Session() {
    image.Poke(0xF0200, kRecord);
    module.EntryOffsets.Build();
    session.Open(image.path(), session.Examine(image.path()));
    shown = session.Show(1).texts;
    original = image.Bytes();
  }
  ~Session() override { WatchFileSteps(nullptr); }

  // Does what another program would, just before the n-th open from now.
  void MeddleBeforeOpen(int n, Meddle meddle) {
    if (meddle == Meddle::kNone) return;
    WatchFileSteps([this, n, meddle, opens = 0](FileStep step, const fs::path&) mutable {
      if (step == FileStep::kOpening && ++opens == n) Do(meddle);
    });
  }
  void Do(Meddle meddle) {
    if (meddle == Meddle::kReplace) {
      // As tools that save by writing a new file and renaming it over the
      // old one do; the old file is kept aside to see what reached it.
      fs::rename(image.path(), old_file());
      testing::WriteWholeFile(image.path(), original);
    }
    if (meddle == Meddle::kSavePointer123456AndX99) {
      image.Poke(0xF0200, {0x56, 0x34, 0x12});
      image.Poke(0xF0206, {0x99});
    }
  }
  fs::path old_file() const { return image.folder() / "old.smc"; }
  BoxTexts With(const std::vector<std::pair<int, std::string>>& edits) const {
    BoxTexts texts = shown;
    for (const auto& [box, text] : edits) texts[static_cast<std::size_t>(box - 1)] = text;
    return texts;
  }
  std::string Changed(const fs::path& path) const {
    return fs::exists(path) ? testing::Changes(original, testing::ReadWholeFile(path)) : "(none)";
  }

  testing::SyntheticImage image;
  Module1 module;
  EditingSession session{module};
  BoxTexts shown;
  std::vector<std::uint8_t> original;
};

struct SaveCase {
  const char* name;
  std::vector<std::pair<int, std::string>> edits;  // box and its text
  int meddle_before_open;                          // counted from the Save's first open
  Meddle meddle;
  Outcome outcome;
  const char* in_image;  // how the file at the path differs afterwards
  const char* in_old;    // and the file it replaced, if it was replaced
  const char* texts;     // what the boxes show afterwards; "-" keeps the box's own text
  const char* said;      // part of what the user is told
};
class Saving : public Session, public ::testing::WithParamInterface<SaveCase> {};

TEST_P(Saving, WritesOnlyEditsAndOnlyIntoTheFileShown) {
  const SaveCase& c = GetParam();
  MeddleBeforeOpen(c.meddle_before_open, c.meddle);
  const SaveResult result = session.Save(With(c.edits));
  EXPECT_EQ(result.outcome, c.outcome) << result.message;
  EXPECT_EQ(Changed(image.path()), c.in_image);
  EXPECT_EQ(Changed(old_file()), c.in_old);
  EXPECT_EQ(Joined(result.texts), c.texts);
  EXPECT_NE(result.message.find(c.said), std::string::npos) << result.message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Saving,
    ::testing::Values(SaveCase{"StyleAlone",
                               {{1, "5"}},
                               0,
                               Meddle::kNone,
                               Outcome::kSaved,
                               "F020A=05",
                               "(none)",
                               "05 C3 A0 5F 12 34 56 78 11 22",
                               ""},
                      // "ab" over "AB" is no edit; the Unknown bytes are only ever read.
                      SaveCase{"LetterCaseAndUnknownBytesWriteNothing",
                               {{1, "ab"}, {9, "FF"}, {10, "EE"}},
                               0,
                               Meddle::kNone,
                               Outcome::kSaved,
                               "",
                               "(none)",
                               kShown,
                               ""},
                      SaveCase{"EveryBoxIsCheckedBeforeTheFirstWrite",
                               {{4, "00"}, {5, "zz"}},
                               0,
                               Meddle::kNone,
                               Outcome::kBoxAtFault,
                               "",
                               "(none)",
                               "- - - - - - - - - -",
                               "\"X:\" high byte holds \"zz\""},
                      SaveCase{"ThePointerInThreeWrites",
                               {{2, "7e"}, {3, "0A"}, {4, "1B"}},
                               0,
                               Meddle::kNone,
                               Outcome::kSaved,
                               "F0200=1B F0201=0A F0202=7E",
                               "(none)",
                               "AB 7E 0A 1B 12 34 56 78 11 22",
                               ""},
                      // Ten reads check the record, then one open per byte written.
                      SaveCase{"ReplacedBetweenTwoWrites",
                               {{2, "7E"}, {3, "0A"}, {4, "1B"}},
                               12,
                               Meddle::kReplace,
                               Outcome::kFailed,
                               "",
                               "F0202=7E",
                               "- 7E - - - - - - - -",
                               "replaced by another file"},
                      SaveCase{"ReplacedBeforeTheSave",
                               {{1, "5"}},
                               1,
                               Meddle::kReplace,
                               Outcome::kFailed,
                               "",
                               "",
                               "- - - - - - - - - -",
                               "Nothing was saved"},
                      SaveCase{
                          "ChangedByAnotherProgramSinceShown",
                          {{4, "60"}},
                          1,
                          Meddle::kSavePointer123456AndX99,
                          Outcome::kChangedElsewhere,
                          "F0200=56 F0201=34 F0202=12 F0206=99",
                          "(none)",
                          "- - - - - - - - - -",
                          "\"Text Pointer:\" high byte: C3 is now 12\n\"Text Pointer:\" middle byte: A0 is now 34\n"
                          "\"Text Pointer:\" low byte: 5F is now 56\n\"X:\" low byte: 34 is now 99"}),
    [](const ::testing::TestParamInfo<SaveCase>& row) { return std::string(row.param.name); });

TEST_F(Session, AfterAChangeElsewhereEachValueTheUserChangedIsWrittenWholeAndTheRestKept) {
  Do(Meddle::kSavePointer123456AndX99);
  const BoxTexts mine = With({{4, "60"}});
  ASSERT_EQ(session.Save(mine).outcome, Outcome::kChangedElsewhere);
  const SaveResult result = session.Save(mine, SaveScope::kEditedValuesWhole);
  ASSERT_EQ(result.outcome, Outcome::kSaved) << result.message;
  // The pointer is C3A060 as the user chose it, X keeps the other program's 99.
  EXPECT_EQ(Changed(image.path()), "F0200=60 F0206=99");
  EXPECT_EQ(Joined(result.texts), "AB C3 A0 60 12 99 56 78 11 22");
  EXPECT_EQ(result.written.size(), 3U);
  // Changed once more after the user heard of it: asked again, nothing written.
  image.Poke(0xF0209, {0x01});
  EXPECT_EQ(session.Save(With({{7, "02"}}), SaveScope::kEditedValuesWhole).outcome, Outcome::kChangedElsewhere);
  EXPECT_EQ(Changed(image.path()), "F0200=60 F0206=99 F0209=01");
}

TEST_F(Session, AFailurePartOfTheWayCountsWhatWasWrittenAsSavedAndTheRestAsEdits) {
  MeddleBeforeOpen(12, Meddle::kReplace);
  const BoxTexts mine = With({{2, "7E"}, {3, "0A"}, {4, "1B"}});
  const SaveResult result = session.Save(mine);
  EXPECT_NE(result.message.find("Only 1 of the changed bytes were saved"), std::string::npos) << result.message;
  ASSERT_EQ(result.written.size(), 1U);
  EXPECT_EQ(result.written[0].before, 0xC3);
  EXPECT_EQ(result.written[0].after, 0x7E);
  EXPECT_FALSE(session.IsEdited(2, "7E"));
  EXPECT_TRUE(session.IsEdited(3, "0A") && session.IsEdited(4, "1B"));
}

struct DisplayCase {
  const char* name;
  int meddle_before_open;  // counted from the display's first open
  Meddle meddle;
  const char* shown;  // or what the failure says
  bool replaced;
};
class Displaying : public Session, public ::testing::WithParamInterface<DisplayCase> {};

TEST_P(Displaying, ShowsEveryByteFromOneFile) {
  // The file that replaces the image holds 3C in every byte of entry 2.
  for (std::uint32_t k = 0; k < 11; ++k) original.at(0xF020B + k) = 0x3C;
  MeddleBeforeOpen(GetParam().meddle_before_open, GetParam().meddle);
  std::string shown_now;
  bool replaced = false;
  try {
    const EditingSession::Display display = session.Show(2);
    for (const std::string& text : display.texts) shown_now += (shown_now.empty() ? "" : " ") + text;
    replaced = display.replaced;
  } catch (const RomError& failure) {
    shown_now = failure.what();
  }
  EXPECT_NE(shown_now.find(GetParam().shown), std::string::npos) << shown_now;
  EXPECT_EQ(replaced, GetParam().replaced);
  EXPECT_EQ(session.ShownEntry(), GetParam().replaced ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, Displaying,
                         ::testing::Values(DisplayCase{"ReplacedBeforeTheFirstRead", 1, Meddle::kReplace,
                                                       "3C 3C 3C 3C 3C 3C 3C 3C 3C 3C", true},
                                           DisplayCase{"ReplacedBetweenTwoReads", 3, Meddle::kReplace,
                                                       "3C 3C 3C 3C 3C 3C 3C 3C 3C 3C", true}),
                         [](const ::testing::TestParamInfo<DisplayCase>& row) { return std::string(row.param.name); });

TEST_F(Session, ATruncatedImageServesNoByte) {
  fs::resize_file(image.path(), 0xF0300);
  for (const auto& attempt :
       std::vector<std::function<void()>>{[&] { session.Show(1); }, [&] { (void)module.ReadFieldByte(1, 1); }}) {
    try {
      attempt();
      ADD_FAILURE() << "a truncated image served a byte";
    } catch (const RomError& failure) {
      EXPECT_NE(std::string(failure.what()).find("has become too short"), std::string::npos) << failure.what();
    }
  }
  EXPECT_EQ(session.Save(With({{1, "01"}})).outcome, Outcome::kFailed);
}

// Undo and Redo of Saves, as a run of steps: "save B=XX ..." (box and
// text), "undo", "redo", "show N", "open" (the same image again), "poke"
// (another program sets the pointer's low byte to 61), "replace", and
// "fail N" (the N-th open from now fails, as one would while another
// program holds the file).
struct HistoryCase {
  const char* name;
  std::vector<std::string> steps;
  const char* outcome;  // of the last step: saved, done, refused, failed
  const char* in_image;
  const char* said;  // part of what the last step told the user
  std::int32_t undo_entry, redo_entry, shown_entry;
};
class History : public Session, public ::testing::WithParamInterface<HistoryCase> {
 protected:
  std::string Run(const std::string& step) {
    if (step.rfind("save", 0) == 0) {
      BoxTexts texts = boxes;
      for (std::size_t at = step.find(' '); at != std::string::npos; at = step.find(' ', at + 1)) {
        const std::size_t equals = step.find('=', at);
        texts.at(std::stoul(step.substr(at + 1, equals - at - 1)) - 1) = step.substr(equals + 1, 2);
      }
      const SaveResult result = session.Save(texts);
      said = result.message;
      return result.outcome == Outcome::kSaved ? "saved" : "failed";
    }
    if (step == "undo" || step == "redo") {
      const auto result = session.TakeStep(step == "undo" ? HistoryDirection::kUndo : HistoryDirection::kRedo);
      said = result.message;
      if (result.display) boxes = result.display->texts;
      const char* outcomes[] = {"done", "refused", "failed"};
      return outcomes[static_cast<int>(result.outcome)];
    }
    if (step.rfind("show", 0) == 0) boxes = session.Show(std::stoi(step.substr(5))).texts;
    if (step == "open") session.Open(image.path(), session.Examine(image.path()));
    if (step == "poke") image.Poke(0xF0200, {0x61});
    if (step == "replace") Do(Meddle::kReplace);
    if (step.rfind("fail", 0) == 0) {
      WatchFileSteps([n = std::stoi(step.substr(5)), opens = 0](FileStep at, const fs::path&) mutable {
        if (at == FileStep::kOpening && ++opens == n) throw RomError("Cannot open the image: Sharing violation.");
      });
    }
    return "";
  }
  BoxTexts boxes = shown;
  std::string said;
};

TEST_P(History, TakesBackOnlyWhatTheFileStillHoldsFromTheStep) {
  const HistoryCase& c = GetParam();
  std::string outcome;
  for (const std::string& step : c.steps) outcome = Run(step);
  EXPECT_EQ(outcome, c.outcome) << said;
  EXPECT_EQ(Changed(image.path()), c.in_image);
  EXPECT_NE(said.find(c.said), std::string::npos) << said;
  EXPECT_EQ(session.NextStepEntry(HistoryDirection::kUndo), c.undo_entry);
  EXPECT_EQ(session.NextStepEntry(HistoryDirection::kRedo), c.redo_entry);
  EXPECT_EQ(session.ShownEntry(), c.shown_entry);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, History,
    ::testing::Values(
        HistoryCase{"UndoPutsBackWhatTheSaveReplaced", {"save 4=60 1=05", "show 2", "undo"}, "done", "", "", 0, 1, 1},
        HistoryCase{"RedoWritesItAgain", {"save 4=60 1=05", "undo", "redo"}, "done", "F0200=60 F020A=05", "", 1, 0, 1},
        HistoryCase{"RefusedAfterAnotherProgramsChange",
                    {"save 4=60", "poke", "undo"},
                    "refused",
                    "F0200=61",
                    "The Save of entry 1 cannot be undone: another program has changed \"Text Pointer:\" low byte "
                    "since, from 60 to 61. Nothing was written.",
                    1,
                    0,
                    1},
        // The new file holds what the Save replaced, but is another file.
        HistoryCase{"RefusedAfterTheImageWasReplaced",
                    {"save 4=60", "replace", "undo"},
                    "refused",
                    "",
                    "replaced by another file",
                    1,
                    0,
                    1},
        // Three reads check the step's bytes; the first write is the fourth open.
        HistoryCase{"AFailurePartOfTheWayKeepsTheRestToUndo",
                    {"save 2=7E 3=0A 4=1B", "fail 5", "undo"},
                    "failed",
                    "F0200=1B F0201=0A",
                    "Only 1 of the 3 bytes of entry 1 were put back",
                    1,
                    1,
                    1},
        HistoryCase{"WhatAFailureLeftCanBeTakenLater",
                    {"save 2=7E 3=0A 4=1B", "fail 5", "undo", "fail 99", "undo", "redo", "redo"},
                    "done",
                    "F0200=1B F0201=0A F0202=7E",
                    "",
                    1,
                    0,
                    1},
        // Ten reads check the record; the second write is the twelfth open.
        HistoryCase{
            "WhatAFailedSaveWroteCanBeUndone", {"fail 12", "save 2=7E 3=0A 4=1B", "undo"}, "done", "", "", 0, 1, 1},
        // The first write is the eleventh open: that Save wrote nothing, so is no step.
        HistoryCase{"ASaveThatWroteNothingKeepsRedo",
                    {"save 4=60", "undo", "fail 11", "save 1=05"},
                    "failed",
                    "",
                    "Nothing was saved",
                    0,
                    1,
                    1},
        HistoryCase{"ANewSaveClearsRedo", {"save 4=60", "undo", "save 1=05"}, "saved", "F020A=05", "", 1, 0, 1},
        HistoryCase{"OpenStartsANewHistory", {"save 4=60", "undo", "save 1=05", "open"}, "", "F020A=05", "", 0, 0, 0},
        HistoryCase{"NothingToUndo", {"undo"}, "refused", "", "There is no Save to undo.", 0, 0, 1}),
    [](const ::testing::TestParamInfo<HistoryCase>& row) { return std::string(row.param.name); });

struct HeaderCase {
  std::uint64_t size;
  bool lacks_header;
};
class HeaderFacts : public ::testing::TestWithParam<HeaderCase> {};

TEST_P(HeaderFacts, AWholeNumberOfKilobytesLacksTheHeader) {
  testing::SyntheticImage sized(GetParam().size);
  Module1 module;
  EXPECT_EQ(EditingSession(module).Examine(sized.path()).SeemsToLackHeader(), GetParam().lacks_header);
}

INSTANTIATE_TEST_SUITE_P(Sizes, HeaderFacts,
                         ::testing::Values(HeaderCase{0xF284E, false},  // remainder 78 by 1024
                                           HeaderCase{0x100200, false}, HeaderCase{0x100000, true},
                                           HeaderCase{0x100001, false}, HeaderCase{0x1003FF, false},
                                           HeaderCase{0x200000, true}));

}  // namespace
}  // namespace quorvane
