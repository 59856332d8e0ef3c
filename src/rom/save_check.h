#pragma once

#include <functional>
#include <optional>
#include <string>

#include "rom/record_layout.h"

namespace quorvane {

// A box whose text does not stand for exactly one byte, with a message that
// names the field the way the window shows it ("X:" high byte).
struct InvalidField {
  FieldSlot slot;
  std::string text;
  std::string message;
};

// Looks at every box the user may edit, in field order, before anything is
// written, so that a Save either writes a whole record or nothing.
// text_of_box gives the text of box 1 to 10.
std::optional<InvalidField> FindInvalidField(const std::function<std::string(int box)>& text_of_box);

}  // namespace quorvane
