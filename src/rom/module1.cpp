#include "rom/module1.h"

#include "rom/hex_text.h"
#include "rom/rom_error.h"

namespace quorvane {

std::uint32_t Module1::LocateFieldByte(std::int32_t entry, std::int16_t position) const {
  const std::string& slot = EntryOffsets(entry);
  const std::optional<std::uint32_t> entry_offset = ParseHexNumber(slot);
  if (!entry_offset) {
    throw RomError("The offset \"" + slot + "\" of entry " + std::to_string(entry) + " is not a number.");
  }
  return *entry_offset + static_cast<std::uint32_t>(position) - 1;
}

RomFile Module1::OpenImage(bool for_writing) const {
  RomFile file = for_writing ? RomFile::OpenForWriting(RomPath) : RomFile::OpenForReading(RomPath);
  if (!RomIdentity) return file;
  const RomFile::Facts& facts = file.Examine();
  if (facts.identity != *RomIdentity) {
    throw ImageReplacedError("\"" + DisplayPath(RomPath) + "\" has been replaced by another file since it was opened.");
  }
  if (facts.size < kMinimumImageSize) {
    throw RomError("\"" + DisplayPath(RomPath) + "\" has become too short to hold every door record: it is now " +
                   std::to_string(facts.size) + " bytes long.");
  }
  return file;
}

std::string Module1::ReadFieldByte(std::int32_t entry, std::int16_t position) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  RomFile file = OpenImage(false);
  const std::uint8_t byte = file.ReadByteAt(offset);
  file.Close();
  return FormatByteText(byte);
}

void Module1::WriteFieldValue(std::int32_t entry, std::int16_t position, std::uint8_t value) const {
  const std::uint32_t offset = LocateFieldByte(entry, position);
  RomFile file = OpenImage(true);
  file.WriteByteAt(offset, value);
  file.Close();
}

void Module1::WriteFieldByte(std::int32_t entry, FieldBox& box, std::int16_t position) const {
  const std::string text = box.Text();
  const std::optional<std::uint8_t> value = ParseLeadingHexByte(text);
  if (!value) {
    throw RomError("\"" + text + "\" is more than one byte; nothing was written at offset " +
                   FormatHexNumber(LocateFieldByte(entry, position)) + ".");
  }
  WriteFieldValue(entry, position, *value);
  box.SetText(ReadFieldByte(entry, position));
}

}  // namespace quorvane
