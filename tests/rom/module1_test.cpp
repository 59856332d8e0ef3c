#include "rom/module1.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <functional>

#include "fake_field_box.h"
#include "rom/rom_error.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

using testing::FakeFieldBox;
using testing::SyntheticImage;

std::string MessageOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RomError& error) {
    return error.what();
  }
  return "(no failure)";
}

bool Mentions(const std::string& message, const std::string& part) {
  return message.find(part) != std::string::npos;
}

class Module1Test : public ::testing::Test {
 protected:
  void SetUp() override {
    module.EntryOffsets.Build();
    module.RomPath = image.path();
  }
  SyntheticImage image;
  Module1 module;
};

TEST_F(Module1Test, LocatesTheFirstAndLastRecordBytes) {
  EXPECT_EQ(module.LocateFieldByte(1, 1), 0xF0200u);
  EXPECT_EQ(module.LocateFieldByte(841, 11), 0xF284Du);
  EXPECT_EQ(module.LocateFieldByte(2, 4), 0xF020Eu);
}

TEST_F(Module1Test, ReadsBytesAsTwoUpperCaseDigits) {
  image.Poke(0xF0200, {0x05, 0xAB, 0x00});
  image.Poke(0xF284D, {0xFF});
  EXPECT_EQ(module.ReadFieldByte(1, 1), "05");
  EXPECT_EQ(module.ReadFieldByte(1, 2), "AB");
  EXPECT_EQ(module.ReadFieldByte(1, 3), "00");
  EXPECT_EQ(module.ReadFieldByte(841, 11), "FF");
}

TEST_F(Module1Test, WritesTheBoxTextAndRefreshesTheBoxFromTheFile) {
  struct Case {
    const char* typed;
    std::uint8_t stored;
    const char* shown;
  };
  const std::vector<std::uint8_t> original = image.Bytes();
  for (const Case& c : {Case{"ab", 0xAB, "AB"}, {"5", 0x05, "05"}, {"1G", 0x01, "01"},
                        {"G1", 0x00, "00"}, {"", 0x00, "00"}, {" 7", 0x07, "07"}}) {
    testing::WriteWholeFile(image.path(), original);
    FakeFieldBox box(c.typed);
    module.WriteFieldByte(5, box, 8);
    const std::vector<std::uint8_t> after = image.Bytes();
    const std::uint32_t offset = module.LocateFieldByte(5, 8);
    EXPECT_EQ(after[offset], c.stored) << c.typed;
    EXPECT_EQ(box.Text(), c.shown) << c.typed;
    ASSERT_EQ(after.size(), original.size());
    for (std::size_t i = 0; i < after.size(); ++i) {
      if (i != offset && after[i] != original[i]) ADD_FAILURE() << "byte " << i << " changed";
    }
  }
}

TEST_F(Module1Test, AnEntryOutOfRangeFailsBeforeTheFileIsTouched) {
  // The image is gone: a failure about the file would show the file was opened.
  std::filesystem::remove(image.path());
  FakeFieldBox box("12");
  for (std::int32_t entry : {0, 842, -1}) {
    EXPECT_TRUE(Mentions(MessageOf([&] { module.ReadFieldByte(entry, 1); }), "out of range"));
    EXPECT_TRUE(Mentions(MessageOf([&] { module.WriteFieldByte(entry, box, 1); }), "out of range"));
  }
  EXPECT_TRUE(box.assigned.empty());
  EXPECT_FALSE(std::filesystem::exists(image.path()));
}

TEST_F(Module1Test, NothingIsReadOrWrittenBeforeAnImageIsOpen) {
  module.RomPath.clear();
  FakeFieldBox box("12");
  EXPECT_TRUE(Mentions(MessageOf([&] { module.ReadFieldByte(1, 1); }), "No image is open"));
  EXPECT_TRUE(Mentions(MessageOf([&] { module.WriteFieldByte(1, box, 1); }), "No image is open"));
}

TEST_F(Module1Test, AWriteNeverCreatesAFile) {
  const std::filesystem::path missing = image.folder() / "deleted.smc";
  module.RomPath = missing;
  FakeFieldBox box("12");
  const std::string message = MessageOf([&] { module.WriteFieldByte(1, box, 1); });
  EXPECT_TRUE(Mentions(message, missing.string())) << message;
  EXPECT_TRUE(Mentions(message, "No such file")) << message;
  EXPECT_FALSE(std::filesystem::exists(missing));
  EXPECT_EQ(box.Text(), "12");
}

TEST_F(Module1Test, BytesPastTheEndOfAShortFileFailAndTheFileDoesNotGrow) {
  std::filesystem::resize_file(image.path(), 0xF0200 + 5);
  const std::vector<std::uint8_t> before = image.Bytes();
  EXPECT_NO_THROW(module.ReadFieldByte(1, 5));
  const std::string read_message = MessageOf([&] { module.ReadFieldByte(1, 6); });
  EXPECT_TRUE(Mentions(read_message, "F0205")) << read_message;
  EXPECT_TRUE(Mentions(read_message, std::to_string(0xF0205))) << read_message;
  FakeFieldBox box("AA");
  EXPECT_THROW(module.WriteFieldByte(1, box, 6), RomError);
  EXPECT_THROW(module.WriteFieldByte(841, box, 11), RomError);
  EXPECT_EQ(image.Bytes(), before);
  EXPECT_EQ(box.Text(), "AA");
}

TEST_F(Module1Test, MoreThanOneByteInABoxIsRefusedNotTruncated) {
  const std::vector<std::uint8_t> before = image.Bytes();
  FakeFieldBox box("1FF");
  EXPECT_THROW(module.WriteFieldByte(1, box, 5), RomError);
  EXPECT_EQ(image.Bytes(), before);
}

TEST_F(Module1Test, AFolderOrAPipeIsNoImage) {
  module.RomPath = image.folder();
  EXPECT_TRUE(Mentions(MessageOf([&] { module.ReadFieldByte(1, 1); }), "folder"));
  const std::filesystem::path pipe = image.folder() / "pipe.smc";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  module.RomPath = pipe;
  EXPECT_TRUE(Mentions(MessageOf([&] { module.ReadFieldByte(1, 1); }), "not a regular file"));
}

TEST(Module1Paths, NamesWithSpacesAndNonAsciiLettersWork) {
  SyntheticImage image(kMinimumImageSize, "Mein Spielstand – Tür 1.smc");
  Module1 module;
  module.EntryOffsets.Build();
  module.RomPath = image.path();
  FakeFieldBox box("3c");
  module.WriteFieldByte(1, box, 11);
  EXPECT_EQ(module.ReadFieldByte(1, 11), "3C");
  EXPECT_EQ(image.Bytes()[0xF020A], 0x3C);
}

}  // namespace
}  // namespace quorvane
