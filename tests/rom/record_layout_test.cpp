#include "rom/record_layout.h"

#include <gtest/gtest.h>

#include <map>

#include "fake_field_box.h"
#include "rom/module1.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

using testing::FakeFieldBox;
using testing::SyntheticImage;

const std::vector<std::uint8_t> kRecord = {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22,
                                           0x34, 0x12, 0x78, 0x56, 0x09};

class RecordLayoutTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module.EntryOffsets.Build();
    module.RomPath = image.path();
    image.Poke(0xF0200, kRecord);
  }
  std::map<int, std::string> ShowEntryOne() const {
    std::map<int, std::string> shown;
    for (const FieldSlot& slot : kFieldTable) shown[slot.box] = module.ReadFieldByte(1, slot.position);
    return shown;
  }
  SyntheticImage image;
  Module1 module;
};

TEST_F(RecordLayoutTest, EachBoxShowsItsRecordByte) {
  const std::map<int, std::string> expected = {{1, "09"}, {2, "C3"}, {3, "A0"}, {4, "5F"},
                                               {5, "12"}, {6, "34"}, {7, "56"}, {8, "78"},
                                               {9, "11"}, {10, "22"}};
  EXPECT_EQ(ShowEntryOne(), expected);
}

TEST_F(RecordLayoutTest, PointerReadsMostSignificantByteFirstOnScreen) {
  const std::map<int, std::string> shown = ShowEntryOne();
  std::string pointer;
  for (int box : kPointerBoxes) pointer += shown.at(box);
  EXPECT_EQ(pointer, "C3A05F");
}

TEST_F(RecordLayoutTest, SavingTheShownRecordUnchangedLeavesTheImageAsItWas) {
  const std::vector<std::uint8_t> before = image.Bytes();
  const std::map<int, std::string> shown = ShowEntryOne();
  for (const FieldSlot& slot : kFieldTable) {
    FakeFieldBox box(shown.at(slot.box));
    module.WriteFieldByte(1, box, slot.position);
    EXPECT_EQ(box.Text(), shown.at(slot.box));
  }
  EXPECT_EQ(image.Bytes(), before);
}

TEST_F(RecordLayoutTest, SavingNewValuesNeverWritesByteThree) {
  for (const FieldSlot& slot : kFieldTable) {
    FakeFieldBox box("EE");
    module.WriteFieldByte(1, box, slot.position);
  }
  const std::vector<std::uint8_t> after = image.Bytes();
  for (std::uint32_t k = 0; k < kRecordLength; ++k) {
    EXPECT_EQ(after[0xF0200 + k], k == 3 ? 0x07 : 0xEE) << "record byte " << k;
  }
}

}  // namespace
}  // namespace quorvane
