// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "rom/entry_search.h"
#include "rom/image_check.h"
#include "rom/module1.h"
#include "rom/record_layout.h"
#include "rom/save_history.h"
#include "rom/shown_record.h"

namespace quorvane {

// The ten boxes' texts: Text1 at index 0 to Text10 at index 9.
using BoxTexts = std::array<std::string, 10>;

// One display of an entry, or of none: every Show makes a new one, even of
// the entry already shown, so that texts taken from one display are never
// written over what another one showed.
using DisplayToken = std::uint64_t;

// A byte of the shown record that another program changed after it was shown.
struct ChangedByte {
  FieldSlot slot;
  std::uint8_t shown;
  std::uint8_t now;
};

// Which bytes a Save writes: those the user changed, or, once the user has
// heard that another program changed the record too, every byte of each
// value (pointer, X, Y, Style) the user changed, so that no value ends up
// made of the user's bytes and the other program's.
enum class SaveScope { kEditedBytes, kEditedValuesWhole };

struct SaveResult {
  enum class Outcome {
    kSaved,             // every edit is in the file, and all ten boxes show what it holds
    kNoImage,           // no image is open; nothing was written
    kNoEntry,           // no entry is shown; nothing was written
    kBoxAtFault,        // `box` holds no byte; nothing was written
    kChangedElsewhere,  // the file no longer holds what was shown (`changes`); nothing was written
    kFailed,            // `failure`; of the `to_write` bytes, only those in `written` reached the file
    kOtherDisplay,      // the texts came from another display than the one shown now; nothing was written
  };
  Outcome outcome = Outcome::kFailed;
  std::int32_t entry = 0;  // the entry shown
  int box = 0;
  std::vector<ChangedByte> changes;
  // The changes are from the bytes the user was last told of, another
  // program's, rather than from those shown.
  bool changed_since_told = false;
  std::size_t to_write = 0;
  std::vector<WrittenByte> written;  // in field order
  std::optional<RomFailure> failure;
  // The last byte written reached the file, but the system could not confirm
  // that it is on the disk (`failure` says why); it counts as written.
  bool unconfirmed = false;
  // What each box shows now: the file's byte where it was written or read
  // again; nullopt where the box keeps its own text, an edit not written.
  std::array<std::optional<std::string>, 10> texts;
};

// An outcome's name, for developers' logs and test reports ("other display").
std::string_view OutcomeName(SaveResult::Outcome outcome);

// The image that is open and what the window showed of it: the one place
// that decides what may be read and written. It reads only from the file
// whose bytes it showed, writes only into it and only into the entry shown,
// writes only what the user changed, checks every box before the first
// write, and notices when another program changed or replaced the image.
class EditingSession {
 public:
  explicit EditingSession(Module1& module) : module_(module) {}

  // Checks that a file can serve as an image; changes nothing.
  CheckedImage Examine(const std::filesystem::path& path) const { return CheckImage(module_.Files(), path); }
  // Takes a checked file as the image. No entry is shown until Show.
  void Open(const std::filesystem::path& path, const CheckedImage& checked);
  bool IsOpen() const { return !module_.RomPath.empty(); }
  // Builds the table of record offsets; the window's Load does, once.
  void BuildTable() { module_.EntryOffsets.Build(); }
  // Where an entry's record lies in the image: its first and its last byte.
  std::pair<std::uint32_t, std::uint32_t> RecordSpan(std::int32_t entry) const {
    return {module_.LocateFieldByte(entry, 1), module_.LocateFieldByte(entry, kRecordLength)};
  }
  const std::filesystem::path& ImagePath() const { return module_.RomPath; }
  // Whether Save can write to the image, as last seen: at Open (or when a
  // display took on a replacing file), at a write it refused, or when last
  // asked again.
  bool ImageWritable() const { return writable_; }
  // Asks again, of the file the session holds only (another file at its
  // path is not asked about), and without opening it for writing.
  void RecheckWritable();

  struct Display {
    BoxTexts texts;
    // The file at the image's path was another one than before: every byte
    // shown comes from the new file, which is the image from now on.
    bool replaced = false;
    DisplayToken token = 0;
  };
  // Reads an entry's ten bytes, all from one file. Throws RomError when
  // they cannot be read; then no entry counts as shown, and a Save writes
  // nothing until one is.
  Display Show(std::int32_t entry);
  // 0 while none is.
  std::int32_t ShownEntry() const { return shown_entry_; }
  // The display made by the last Show (or Open), whether or not it showed
  // an entry.
  DisplayToken CurrentDisplay() const { return display_; }

  // Whether a box's text differs from the byte it showed ("ab" over "AB" is
  // no edit). Bytes the user may not change never count.
  bool IsEdited(int box, std::string_view text) const;
  bool HasEdits(const BoxTexts& texts) const;

  // After a Save found the image replaced by another file (another program
  // wrote a new one over it): takes on the file now at the image's path,
  // `checked` as Examine found it, keeping the user's edits. `texts` are the
  // boxes' texts on `display`, the display shown now (nullopt otherwise).
  // The shown entry is read from the new file; the display returned holds
  // the user's texts in every box of each value they edited (a pointer, X
  // or Y whole), now edits against the new file's bytes, and the new file's
  // bytes in the others. Nothing is written, and the history of Saves starts
  // anew. Throws RomError when the entry cannot be read from the new file;
  // then nothing changes.
  std::optional<Display> TakeOnReplacement(const CheckedImage& checked, const BoxTexts& texts, DisplayToken display);

  // Saves the edits of the shown entry: `texts` are the boxes' texts as
  // they stand on `display`, which must be the display shown now. A Save
  // that writes a byte becomes a step that Undo can take back.
  SaveResult Save(const BoxTexts& texts, DisplayToken display, SaveScope scope = SaveScope::kEditedBytes);

  // The entries whose value `which` (the pointer, X, Y or Style) holds
  // `value`, and the one after (or before) the entry shown to go to; see
  // FindEntries. It only reads.
  SearchResult Find(RecordValue which, std::uint32_t value, bool forward) const {
    return FindEntries(module_, which, value, shown_entry_, forward);
  }
  // A value as the shown entry's bytes were read from the file; 0 while no
  // entry is shown.
  std::uint32_t ShownValue(RecordValue which) const;

  // The entry whose Save Undo would take back, or Redo make again; 0 when
  // there is nothing to take.
  std::int32_t NextStepEntry(HistoryDirection direction) const;

  struct StepResult {
    enum class Outcome {
      kDone,          // every byte of the step written; the entry is shown
      kNothing,       // there is no Save to take in that direction
      kUnsettled,     // the boxes hold edits, which must be saved or dropped first; nothing was written
      kRefused,       // nothing was written: `changed` says what another program changed
                      // since the step, or `failure` why the file could not be checked
      kFailed,        // `failure`; `taken` of the step's `total` bytes were written
      kOtherDisplay,  // the texts came from another display than the one shown now; nothing was written
    };
    Outcome outcome = Outcome::kNothing;
    std::int32_t entry = 0;
    std::optional<ChangedByte> changed;  // `shown` is what the step left there
    std::optional<RomFailure> failure;
    std::size_t taken = 0;
    std::size_t total = 0;
    bool unconfirmed = false;  // as for a Save: the last byte taken is not confirmed on the disk
    // The entry as the file holds it now, once any byte was written and it
    // could be read back (it is then the entry shown), or why it could not.
    std::optional<Display> display;
    std::optional<RomFailure> display_failure;
  };
  // Undo writes back what the file held before the last Save; Redo writes
  // again what an Undo took back. `texts` are the boxes' texts: while they
  // hold edits nothing is taken, since the step's entry is shown afterwards;
  // they must come from `display`, the display shown now.
  // Either one first checks that every byte of each value the step touched
  // still holds what the step left there, so that no value ends up made of
  // two programs' bytes.
  StepResult TakeStep(HistoryDirection direction, const BoxTexts& texts, DisplayToken display);

 private:
  // An entry's ten bytes as the file holds them now; throws RomError.
  RecordBytes ReadRecord(std::int32_t entry, BoxTexts* texts) const;
  // Writes one byte of an entry; false, with `failure` set, when the byte
  // did not reach the file; true with `failure` set when it did but the
  // system could not confirm it is on the disk.
  bool Write(std::int32_t entry, const FieldSlot& slot, std::uint8_t value, std::optional<RomFailure>& failure);

  Module1& module_;
  std::int32_t shown_entry_ = 0;
  bool writable_ = false;
  DisplayToken display_ = 0;
  ShownRecord shown_;
  // The record as the file held it when a Save last found another
  // program's change: a Save of whole values expects to find it so still.
  std::optional<RecordBytes> seen_elsewhere_;
  SaveHistory history_;
};

// And an Undo's or Redo's ("refused").
std::string_view OutcomeName(EditingSession::StepResult::Outcome outcome);

}  // namespace quorvane
