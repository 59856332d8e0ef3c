#include "rom/entry_offsets.h"

#include <gtest/gtest.h>

#include "rom/rom_error.h"

namespace quorvane {
namespace {

class EntryOffsetTableTest : public ::testing::Test {
 protected:
  void SetUp() override { table.Build(); }
  EntryOffsetTable table;
};

TEST_F(EntryOffsetTableTest, GroupBoundariesLieWhereTheImageKeepsThem) {
  struct Expected {
    std::int32_t entry;
    const char* offset;
  };
  // First and last record of several runs, a run of one, and the ends.
  for (const Expected& e : {Expected{1, "F0200"}, {128, "F0775"}, {129, "F07AC"}, {132, "F07CD"},
                            {133, "F07F8"}, {214, "F0BB7"}, {238, "F0CBF"}, {239, "F0CD2"},
                            {620, "F1D69"}, {621, "F1D80"}, {622, "F1DA3"}, {758, "F23DE"},
                            {759, "F2499"}, {828, "F279C"}, {829, "F27BF"}, {841, "F2843"}}) {
    EXPECT_EQ(table(e.entry), e.offset) << "entry " << e.entry;
  }
}

TEST_F(EntryOffsetTableTest, EveryRunEndsAtTheOffsetOfItsLastRecord) {
  // The last record of each of the 20 runs, independent of how the table is built.
  const std::int32_t last_entries[] = {128, 132, 136, 213, 238, 309, 316, 330, 412, 439,
                                       620, 621, 669, 671, 702, 736, 758, 784, 828, 841};
  const char* last_offsets[] = {"F0775", "F07CD", "F0819", "F0B8C", "F0CBF", "F0FD4", "F1029",
                                "F10E7", "F1471", "F159E", "F1D69", "F1D80", "F1FA8", "F1FDE",
                                "F213F", "F22D7", "F23DE", "F25AC", "F279C", "F2843"};
  for (std::size_t i = 0; i < std::size(last_entries); ++i) {
    EXPECT_EQ(table(last_entries[i]), last_offsets[i]) << "run " << i + 1;
  }
}

TEST_F(EntryOffsetTableTest, EverySlotIsFiveUpperCaseHexDigitsAndRecordsNeverOverlap) {
  unsigned long previous_end = 0;
  for (std::int32_t entry = kFirstEntry; entry <= kLastEntry; ++entry) {
    const std::string& slot = table(entry);
    ASSERT_EQ(slot.size(), 5u) << "entry " << entry;
    EXPECT_EQ(slot.find_first_not_of("0123456789ABCDEF"), std::string::npos) << slot;
    const unsigned long offset = std::stoul(slot, nullptr, 16);
    EXPECT_GE(offset, previous_end) << "entry " << entry << " overlaps the one before";
    previous_end = offset + kRecordLength;
  }
  EXPECT_EQ(previous_end, kMinimumImageSize);
}

TEST_F(EntryOffsetTableTest, NumbersOutsideOneTo841AreRefused) {
  for (std::int32_t entry : {0, 842, -1, INT32_MIN, INT32_MAX}) {
    try {
      (void)table(entry);
      ADD_FAILURE() << "entry " << entry << " was accepted";
    } catch (const RomError& error) {
      EXPECT_NE(std::string(error.what()).find(std::to_string(entry)), std::string::npos)
          << error.what();
    }
  }
}

TEST(EntryOffsetTableUnbuilt, RefusesLookupsUntilBuilt) {
  EntryOffsetTable table;
  EXPECT_THROW((void)table(1), RomError);
}

}  // namespace
}  // namespace quorvane
