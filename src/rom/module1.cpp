// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/module1.h"

#include "rom/hex_text.h"

namespace quorvane {

std::uint32_t Module1::LocateFieldByte(std::int32_t entry, std::int16_t position) const {
  // The table's lookup has checked the entry and that the table is built.
  return ParseHexNumber(EntryOffsets(entry)).value() + static_cast<std::uint32_t>(position) - 1;
}

std::unique_ptr<ImageFile> Module1::OpenImage(FileAccess access) const {
  std::unique_ptr<ImageFile> file = files_->Open(RomPath, access);
  if (!RomIdentity) return file;
  const FileFacts& facts = file->Examine();
  if (facts.identity != *RomIdentity) throw RomError({.fault = RomFault::kReplaced, .path = RomPath, .access = access});
  if (facts.size < kMinimumImageSize) {
    throw RomError({.fault = RomFault::kBecameTooShort, .path = RomPath, .access = access, .size = facts.size});
  }
  return file;
}

std::uint8_t Module1::ReadFieldValue(std::int32_t entry, std::int16_t position) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  const std::unique_ptr<ImageFile> file = OpenImage(FileAccess::kRead);
  const std::uint8_t byte = file->ReadByteAt(offset);
  file->Close();
  return byte;
}

std::string Module1::ReadFieldByte(std::int32_t entry, std::int16_t position) const {
  return FormatByteText(ReadFieldValue(entry, position));
}

std::uint8_t Module1::Reading::Field(std::int32_t entry, std::int16_t position) {
  const std::uint32_t offset = module_->LocateFieldByte(entry, position);
  try {
    return file_->ReadByteAt(offset);
  } catch (const RomError& failure) {
    if (failure.failure().fault != RomFault::kOutsideFile) throw;
    throw RomError({.fault = RomFault::kBecameTooShort,
                    .path = module_->RomPath,
                    .access = FileAccess::kRead,
                    .size = failure.failure().size});
  }
}

void Module1::WriteFieldByte(std::int32_t entry, std::int16_t position, std::uint8_t value) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  const std::unique_ptr<ImageFile> file = OpenImage(FileAccess::kWrite);
  file->WriteByteAt(offset, value);
  file->Close();
}

}  // namespace quorvane
