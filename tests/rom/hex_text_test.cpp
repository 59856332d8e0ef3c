#include "rom/hex_text.h"

#include <gtest/gtest.h>

namespace quorvane {
namespace {

TEST(HexTextTest, BytesAreAlwaysTwoUpperCaseDigits) {
  EXPECT_EQ(FormatByteText(0x05), "05");
  EXPECT_EQ(FormatByteText(0xAB), "AB");
  EXPECT_EQ(FormatByteText(0x00), "00");
  EXPECT_EQ(FormatByteText(0xFF), "FF");
  EXPECT_EQ(FormatHexNumber(0xF0200), "F0200");
  EXPECT_EQ(FormatHexNumber(0), "0");
}

TEST(HexTextTest, BoxTextIsReadFromTheStartUpToTheFirstNonDigit) {
  EXPECT_EQ(ParseLeadingHexByte("ab"), 0xAB);
  EXPECT_EQ(ParseLeadingHexByte("5"), 0x05);
  EXPECT_EQ(ParseLeadingHexByte("1G"), 0x01);
  EXPECT_EQ(ParseLeadingHexByte("G1"), 0x00);
  EXPECT_EQ(ParseLeadingHexByte(""), 0x00);
  EXPECT_EQ(ParseLeadingHexByte(" 7"), 0x07);
  EXPECT_EQ(ParseLeadingHexByte("\tF\n0"), 0xF0);
  EXPECT_EQ(ParseLeadingHexByte("0FF"), 0xFF);
  // A carriage return is not one of the dropped blanks.
  EXPECT_EQ(ParseLeadingHexByte("\r7"), 0x00);
}

TEST(HexTextTest, MoreThanOneByteIsNotTruncated) {
  EXPECT_EQ(ParseLeadingHexByte("1FF"), std::nullopt);
  EXPECT_EQ(ParseLeadingHexByte("FFFFFFFFFFFF"), std::nullopt);
}

TEST(HexTextTest, OnlyAsciiCountsAsHexDigits) {
  EXPECT_TRUE(IsHexDigit('a'));
  EXPECT_TRUE(IsHexDigit('F'));
  EXPECT_FALSE(IsHexDigit('g'));
  EXPECT_FALSE(IsHexDigit('\xD9'));
  // Arabic-Indic three and fullwidth A are digits and letters elsewhere, not here.
  EXPECT_EQ(ParseLeadingHexByte("\xD9\xA3"), 0x00);
  EXPECT_EQ(ParseLeadingHexByte("\xEF\xBC\xA1"), 0x00);
  EXPECT_EQ(ParseStrictByteText("\xD9\xA3"), std::nullopt);
}

TEST(HexTextTest, SaveAcceptsOnlyOneOrTwoDigits) {
  EXPECT_EQ(ParseStrictByteText("ab"), 0xAB);
  EXPECT_EQ(ParseStrictByteText("5"), 0x05);
  EXPECT_EQ(ParseStrictByteText(" 7"), 0x07);
  EXPECT_EQ(ParseStrictByteText("0\t0"), 0x00);
  for (const char* bad : {"", "  ", "zz", "G1", "1G", "1FF", "-1", "0x", "\r1"}) {
    EXPECT_EQ(ParseStrictByteText(bad), std::nullopt) << '"' << bad << '"';
  }
}

TEST(HexTextTest, OffsetsReadBackExactly) {
  EXPECT_EQ(ParseHexNumber("F2843"), 0xF2843u);
  EXPECT_EQ(ParseHexNumber(""), std::nullopt);
  EXPECT_EQ(ParseHexNumber("F28 3"), std::nullopt);
  EXPECT_EQ(ParseHexNumber("-1"), std::nullopt);
  EXPECT_EQ(ParseHexNumber("123456789"), std::nullopt);
}

}  // namespace
}  // namespace quorvane
