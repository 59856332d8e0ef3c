#include "rom/module1.h"

#include "rom/hex_text.h"
#include "rom/rom_error.h"
#include "rom/rom_file.h"

namespace quorvane {

std::uint32_t Module1::LocateFieldByte(std::int32_t entry, std::int16_t position) const {
  const std::string& slot = EntryOffsets(entry);
  const std::optional<std::uint32_t> entry_offset = ParseHexNumber(slot);
  if (!entry_offset) {
    throw RomError("The offset \"" + slot + "\" of entry " + std::to_string(entry) + " is not a number.");
  }
  return *entry_offset + static_cast<std::uint32_t>(position) - 1;
}

std::string Module1::ReadFieldByte(std::int32_t entry, std::int16_t position) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  RomFile file = RomFile::OpenForReading(RomPath);
  const std::uint8_t byte = file.ReadByteAt(offset);
  file.Close();
  return FormatByteText(byte);
}

void Module1::WriteFieldByte(std::int32_t entry, FieldBox& box, std::int16_t position) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  const std::string text = box.Text();
  const std::optional<std::uint8_t> value = ParseLeadingHexByte(text);
  if (!value) {
    throw RomError("\"" + text + "\" is more than one byte; nothing was written at offset " + FormatHexNumber(offset) +
                   ".");
  }
  RomFile file = RomFile::OpenForWriting(RomPath);
  file.WriteByteAt(offset, *value);
  file.Close();
  box.SetText(ReadFieldByte(entry, position));
}

}  // namespace quorvane
