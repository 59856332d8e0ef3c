#include "rom/image_check.h"

#include <string>

#include "rom/entry_offsets.h"
#include "rom/hex_text.h"
#include "rom/rom_error.h"

namespace quorvane {

CheckedImage CheckImage(const std::filesystem::path& path) {
  const RomFile file = RomFile::OpenForReading(path);
  const RomFile::Facts facts = file.Examine();
  if (facts.size < kMinimumImageSize) {
    throw RomError("\"" + DisplayPath(path) + "\" is too short to be an image with door records: it is " +
                   std::to_string(facts.size) + " bytes long, but the records reach up to offset " +
                   FormatHexNumber(kMinimumImageSize - 1) + ", so it must be at least " +
                   std::to_string(kMinimumImageSize) + " bytes long.");
  }
  return CheckedImage{facts.identity, facts.size};
}

}  // namespace quorvane
