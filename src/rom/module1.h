#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "rom/entry_offsets.h"
#include "rom/field_box.h"

namespace quorvane {

// The state shared by the whole run and the only code that touches the image.
// No byte is cached and no file stays open between calls: every access opens
// the image by RomPath, touches one byte and closes it again.
class Module1 {
 public:
  // The opened image; empty until the first successful Open.
  std::filesystem::path RomPath;
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
};

}  // namespace quorvane
