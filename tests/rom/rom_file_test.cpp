#include "rom/rom_file.h"

#include <gtest/gtest.h>

#include "fake_field_box.h"
#include "rom/image_check.h"
#include "rom/module1.h"
#include "rom/rom_error.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

using testing::SyntheticImage;

std::size_t OpenDescriptorCount() {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                std::filesystem::directory_iterator()));
}

TEST(RomFileTest, WritesOneByteInPlaceAndNeverPastTheEnd) {
  SyntheticImage image(4096);
  std::vector<std::uint8_t> expected = image.Bytes();
  { RomFile opened_only = RomFile::OpenForWriting(image.path()); }
  EXPECT_EQ(image.Bytes(), expected);  // opening alone truncates nothing
  RomFile file = RomFile::OpenForWriting(image.path());
  file.WriteByteAt(4095, static_cast<std::uint8_t>(~expected[4095]));
  EXPECT_THROW(file.WriteByteAt(4096, 0x12), RomError);
  EXPECT_THROW(file.WriteByteAt(0xFFFFFFFF, 0x12), RomError);
  file.Close();
  expected[4095] = static_cast<std::uint8_t>(~expected[4095]);
  EXPECT_EQ(image.Bytes(), expected);
}

TEST(RomFileTest, NoDescriptorOutlivesAnAccessEvenWhenItFails) {
  SyntheticImage image(kMinimumImageSize - 100);
  Module1 module;
  module.EntryOffsets.Build();
  module.RomPath = image.path();
  const std::size_t before = OpenDescriptorCount();
  testing::FakeFieldBox box("AB");
  module.ReadFieldByte(1, 1);
  module.WriteFieldByte(1, box, 1);
  EXPECT_THROW(module.ReadFieldByte(841, 11), RomError);
  EXPECT_THROW(module.WriteFieldByte(841, box, 11), RomError);
  EXPECT_THROW(CheckImage(image.path()), RomError);
  module.RomPath = image.folder();
  EXPECT_THROW(module.ReadFieldByte(1, 1), RomError);
  EXPECT_EQ(OpenDescriptorCount(), before);
}

}  // namespace
}  // namespace quorvane
