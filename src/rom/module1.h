// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "rom/entry_offsets.h"
#include "rom/file_layer.h"

namespace quorvane {

// The state shared by the whole run, and every access to a record byte of the
// image (a chosen file is checked by CheckImage before it becomes the image).
// No byte is cached and no file stays open between calls: every access opens
// the image by RomPath, touches one byte and closes it again. Every failure
// throws RomError.
class Module1 {
 public:
  explicit Module1(FileLayer& files = PlatformFiles()) : files_(&files) {}

  // The opened image; empty until the first successful Open.
  std::filesystem::path RomPath;
  // The file at RomPath whose bytes are being shown, once there is one.
  // Every access then checks, on the handle it opened and before it touches
  // a byte, that it has that very file (kReplaced), still long enough to
  // hold every record (kBecameTooShort).
  std::optional<FileIdentity> RomIdentity;
  // Where each entry's record lies; built once, at start-up.
  EntryOffsetTable EntryOffsets;

  FileLayer& Files() const { return *files_; }

  // The 0-based file offset of one record byte; kEntryOutOfRange for an
  // entry number outside 1 to 841, before any file is touched.
  std::uint32_t LocateFieldByte(std::int32_t entry, std::int16_t position) const;

  // One record byte of the image as two upper-case hexadecimal digits.
  std::string ReadFieldByte(std::int32_t entry, std::int16_t position) const;
  // The same byte as a number.
  std::uint8_t ReadFieldValue(std::int32_t entry, std::int16_t position) const;

  // One byte into the image in place, on the storage when this returns.
  void WriteFieldByte(std::int32_t entry, std::int16_t position, std::uint8_t value) const;

  // Many record bytes through one open of the image, checked once as every
  // access is: for a search, which so reads 2.5 kB at the cost of one open
  // and sees one file from its first byte to its last. The file is closed
  // by Close, or on the way out of a failure; it never stays open between
  // the user's actions.
  class Reading {
   public:
    // A byte past the end of a file shortened under the handle is
    // kBecameTooShort, with the file's size now.
    std::uint8_t Field(std::int32_t entry, std::int16_t position);
    void Close() { file_->Close(); }

   private:
    friend class Module1;
    Reading(const Module1& module, std::unique_ptr<ImageFile> file) : module_(&module), file_(std::move(file)) {}
    const Module1* module_;
    std::unique_ptr<ImageFile> file_;
  };
  Reading OpenForReading() const { return {*this, OpenImage(FileAccess::kRead)}; }

 private:
  std::unique_ptr<ImageFile> OpenImage(FileAccess access) const;

  FileLayer* files_;
};

}  // namespace quorvane
