// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quorvane {

enum class FileAccess { kRead, kWrite };

// What failed in the door records core. The core states the facts; the
// window puts them into words for the user.
enum class RomFault {
  kNoImage,             // no image has been opened
  kEntryOutOfRange,     // `entry` is not 1 to 841
  kTableNotBuilt,       // the table of record offsets has not been built yet
  kMissing,             // nothing at `path` (deleted, moved or renamed)
  kFolder,              // `path` is a folder
  kNotRegular,          // `path` is a pipe, a device or the like
  kBusy,                // another program holds `path` without sharing it
  kCannotOpen,          // `path` cannot be opened for `access`: `reason`
  kTooShort,            // `path` is `size` bytes long, too short to hold every record
  kBecameTooShort,      // the image has been cut to `size` bytes since it was opened
  kReplaced,            // `path` names another file than the image whose bytes were shown
  kReplacedHeaderless,  // replaced by a file of `size` bytes that seems to lack the copier header
  kOutsideFile,         // `offset` lies at or past the end of `path`, `size` bytes long
  kReadFailed,          // reading from `path` failed: `reason`
  kWriteFailed,         // writing to `path` failed: `reason`; nothing was written
  kFlushFailed,         // the byte is in the file but did not reach the storage: `reason`
  kCloseFailed,         // closing `path` after `access` failed: `reason`
};

// A fault's name, for developers' logs and test reports ("replaced").
std::string_view FaultName(RomFault fault);

struct RomFailure {
  RomFault fault = RomFault::kNoImage;
  std::filesystem::path path{};
  FileAccess access = FileAccess::kRead;
  std::int32_t entry = 0;
  std::uint64_t offset = 0;
  std::uint64_t size = 0;
  std::string reason{};  // the system's own words, where it gave any
};

// A write that failed this way still put its byte into the file: only the
// flush to the disk, or the close after it, failed.
inline bool ReachedTheFile(const RomFailure& failure) {
  return failure.fault == RomFault::kFlushFailed ||
         (failure.fault == RomFault::kCloseFailed && failure.access == FileAccess::kWrite);
}

// Every failure of the door records core.
class RomError : public std::runtime_error {
 public:
  explicit RomError(RomFailure failure);
  const RomFailure& failure() const { return failure_; }

 private:
  RomFailure failure_;
};

}  // namespace quorvane
