// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace quorvane {

// A door record is 11 bytes. Record byte k is named by field position k + 1.
inline constexpr std::int16_t kRecordLength = 11;

// The values a record holds: the 24-bit text pointer, the 16-bit X and Y,
// the Style byte, and the two Unknown bytes, which are only ever read.
enum class RecordValue { kPointer, kX, kY, kStyle, kUnknown };

// One shown byte of a record: the box (1 for Text1 ... 10 for Text10) that
// shows it, its field position, the value it belongs to, the caption of its
// group on screen (for display only), which byte of the value it is, a plain
// description for assistive text, and whether the user may change it. A
// byte the user may not change is only ever read: Save never writes it,
// whatever its box holds.
struct FieldSlot {
  int box;
  std::int16_t position;
  RecordValue value;
  std::string_view group_label;
  std::string_view byte_name;
  std::string_view description;
  bool editable;
};

// The ten shown bytes in field order, the order in which a record is shown
// and saved. The 24-bit pointer and the 16-bit X and Y are stored least
// significant byte first. Record byte 3 (position 4) has no box: it is never
// read or written.
inline constexpr std::array<FieldSlot, 10> kFieldTable{{
    {1, 11, RecordValue::kStyle, "Style:", "byte", "Style", true},
    {2, 3, RecordValue::kPointer, "Text Pointer:", "high byte", "Text pointer, high byte", true},
    {3, 2, RecordValue::kPointer, "Text Pointer:", "middle byte", "Text pointer, middle byte", true},
    {4, 1, RecordValue::kPointer, "Text Pointer:", "low byte", "Text pointer, low byte", true},
    {5, 8, RecordValue::kX, "X:", "high byte", "X, high byte", true},
    {6, 7, RecordValue::kX, "X:", "low byte", "X, low byte", true},
    {7, 10, RecordValue::kY, "Y:", "high byte", "Y, high byte", true},
    {8, 9, RecordValue::kY, "Y:", "low byte", "Y, low byte", true},
    {9, 5, RecordValue::kUnknown, "Unknown:", "first byte", "Unknown, first byte", false},
    {10, 6, RecordValue::kUnknown, "Unknown:", "second byte", "Unknown, second byte", false},
}};

// Where box 1 to 10 keeps its text or byte in a record's array of ten.
constexpr std::size_t IndexOfBox(int box) { return static_cast<std::size_t>(box - 1); }

// The row of box 1 to 10 in the field table.
constexpr const FieldSlot& SlotOfBox(int box) {
  for (const FieldSlot& slot : kFieldTable) {
    if (slot.box == box) return slot;
  }
  return kFieldTable[0];  // never reached for boxes 1 to 10
}

// How many hexadecimal digits a whole value has (the pointer 6).
constexpr int ValueDigits(RecordValue value) {
  int digits = 0;
  for (const FieldSlot& slot : kFieldTable) digits += slot.value == value ? 2 : 0;
  return digits;
}

// One byte per box: Text1 at index 0 to Text10 at index 9.
using RecordBytes = std::array<std::uint8_t, 10>;

// Whether two bytes belong to one value (the pointer, X, Y, Style or the
// Unknown bytes), which a write must never leave made of two programs' bytes.
constexpr bool SameValue(const FieldSlot& a, const FieldSlot& b) { return a.value == b.value; }

// The pointer boxes as they read on screen, most significant byte first.
inline constexpr std::array<int, 3> kPointerBoxes{2, 3, 4};

}  // namespace quorvane
