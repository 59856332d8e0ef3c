// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/image_check.h"

#include "rom/entry_offsets.h"

namespace quorvane {

CheckedImage CheckImage(FileLayer& files, const std::filesystem::path& path) {
  const FileFacts facts = files.Open(path, FileAccess::kRead)->Examine();
  if (facts.size < kMinimumImageSize) throw RomError({.fault = RomFault::kTooShort, .path = path, .size = facts.size});
  return CheckedImage{facts.identity, facts.size, OpensForWriting(files, path)};
}

bool OpensForWriting(FileLayer& files, const std::filesystem::path& path) {
  try {
    files.Open(path, FileAccess::kWrite)->Close();
  } catch (const RomError& error) {
    return error.failure().fault != RomFault::kCannotOpen;
  }
  return true;
}

}  // namespace quorvane
