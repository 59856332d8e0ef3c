#include "rom/image_check.h"

#include <gtest/gtest.h>

#include "rom/rom_error.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

using testing::SyntheticImage;

std::string MessageOf(const std::filesystem::path& path) {
  try {
    CheckImage(path);
  } catch (const RomError& error) {
    return error.what();
  }
  return "(no failure)";
}

TEST(CheckImageTest, AcceptsOnlyRegularFilesLongEnoughForEveryRecord) {
  SyntheticImage exact(kMinimumImageSize);
  EXPECT_NO_THROW(CheckImage(exact.path()));
  SyntheticImage short_by_one(kMinimumImageSize - 1);
  const std::string message = MessageOf(short_by_one.path());
  EXPECT_NE(message.find("too short"), std::string::npos) << message;
  EXPECT_NE(message.find(std::to_string(kMinimumImageSize - 1)), std::string::npos) << message;
  EXPECT_NE(MessageOf(exact.folder() / "none.smc").find("No such file"), std::string::npos);
  EXPECT_NE(MessageOf(exact.folder()).find("folder"), std::string::npos);
}

TEST(CheckImageTest, TellsAReplacedFileFromTheSameFileChanged) {
  SyntheticImage image;
  const ImageIdentity first = CheckImage(image.path());
  image.Poke(0xF0200, {0x01, 0x02});  // changed in place: still the same file
  EXPECT_EQ(CheckImage(image.path()), first);

  const std::filesystem::path other = image.folder() / "other.smc";
  std::filesystem::copy_file(image.path(), other);
  std::filesystem::rename(other, image.path());  // as a program that saves by renaming does
  EXPECT_NE(CheckImage(image.path()), first);
}

}  // namespace
}  // namespace quorvane
