#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "rom/entry_offsets.h"
#include "rom/field_box.h"
#include "rom/rom_file.h"

namespace quorvane {

// The state shared by the whole run and the only code that touches the image.
// No byte is cached and no file stays open between calls: every access opens
// the image by RomPath, touches one byte and closes it again.
class Module1 {
 public:
  // The opened image; empty until the first successful Open.
  std::filesystem::path RomPath;
  // The file at RomPath whose bytes are being shown, once there is one.
  // Every access then checks, on the handle it opened and before it touches
  // a byte, that it has that very file, still long enough to hold every
  // record; otherwise it fails with ImageReplacedError or RomError.
  std::optional<FileIdentity> RomIdentity;
  // Where each entry's record lies; built once, at start-up.
  EntryOffsetTable EntryOffsets;

  // The 0-based file offset of one record byte. Throws RomError for an entry
  // number outside 1 to 841, before any file is touched.
  std::uint32_t LocateFieldByte(std::int32_t entry, std::int16_t position) const;

  // One record byte of the image as two upper-case hexadecimal digits.
  std::string ReadFieldByte(std::int32_t entry, std::int16_t position) const;

  // Writes the byte that the box's text stands for into the image in place,
  // then sets the box's text to what the file now holds.
  void WriteFieldByte(std::int32_t entry, FieldBox& box, std::int16_t position) const;

  // The write alone, without the box: one byte into the image in place.
  void WriteFieldValue(std::int32_t entry, std::int16_t position, std::uint8_t value) const;

 private:
  RomFile OpenImage(bool for_writing) const;
};

}  // namespace quorvane
