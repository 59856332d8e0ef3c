// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>

#include "rom/file_layer.h"

namespace quorvane {

// What a check found of a file that can serve as an image.
struct CheckedImage {
  FileIdentity identity;
  std::uint64_t size;
  // Whether it opened for writing when checked: a read-only image is told
  // at Open, not at the first Save.
  bool writable = false;

  // Every offset counts the 512-byte header that copiers put before the
  // cartridge data. Cartridge data comes in whole kilobytes, so a size that is
  // a multiple of 1024 means the header is missing and every record lies 512
  // bytes before the offsets used here.
  bool SeemsToLackHeader() const { return size % 1024 == 0; }
};

// Checks that a file can serve as an image: it opens for reading, is a
// regular file, and is long enough to hold every record (kTooShort).
// Throws RomError saying why not. Opening it for writing, to see whether it
// may be written, changes nothing in it.
CheckedImage CheckImage(FileLayer& files, const std::filesystem::path& path);

// Whether the file at `path` opens for writing now. Only a refusal counts
// against it: a file another program holds for a moment is busy, not
// read-only.
bool OpensForWriting(FileLayer& files, const std::filesystem::path& path);

}  // namespace quorvane
