#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace quorvane {

// A door record is 11 bytes. Record byte k is named by field position k + 1.
inline constexpr std::int16_t kRecordLength = 11;

// One shown byte of a record: the box (1 for Text1 ... 10 for Text10) that
// shows it, its field position, the caption of its group on screen, which
// byte of the group's value it is, and a plain description for assistive text.
struct FieldSlot {
  int box;
  std::int16_t position;
  std::string_view group_label;
  std::string_view byte_name;
  std::string_view description;
};

// The ten shown bytes in field order, the order in which a record is shown
// and saved. The 24-bit pointer and the 16-bit X and Y are stored least
// significant byte first. Record byte 3 (position 4) has no box: it is never
// read or written.
inline constexpr std::array<FieldSlot, 10> kFieldTable{{
    {1, 11, "Style:", "byte", "Style"},
    {2, 3, "Text Pointer:", "high byte", "Text pointer, high byte"},
    {3, 2, "Text Pointer:", "middle byte", "Text pointer, middle byte"},
    {4, 1, "Text Pointer:", "low byte", "Text pointer, low byte"},
    {5, 8, "X:", "high byte", "X, high byte"},
    {6, 7, "X:", "low byte", "X, low byte"},
    {7, 10, "Y:", "high byte", "Y, high byte"},
    {8, 9, "Y:", "low byte", "Y, low byte"},
    {9, 5, "Unknown:", "first byte", "Unknown, first byte"},
    {10, 6, "Unknown:", "second byte", "Unknown, second byte"},
}};

// The pointer boxes as they read on screen, most significant byte first.
inline constexpr std::array<int, 3> kPointerBoxes{2, 3, 4};

}  // namespace quorvane
