#include "rom/save_check.h"

#include "rom/hex_text.h"

namespace quorvane {

std::optional<InvalidField> FindInvalidField(const std::function<std::string(int box)>& text_of_box) {
  for (const FieldSlot& slot : kFieldTable) {
    std::string text = text_of_box(slot.box);
    if (ParseStrictByteText(text)) continue;
    const std::string field = "\"" + std::string(slot.group_label) + "\" " + std::string(slot.byte_name);
    const std::string shown = text.empty() ? "nothing" : "\"" + text + "\"";
    std::string message = "The " + field + " holds " + shown +
                          ", which is not a byte: type one or two hexadecimal digits (0-9, A-F). "
                          "Nothing was saved.";
    return InvalidField{slot, std::move(text), std::move(message)};
  }
  return std::nullopt;
}

}  // namespace quorvane
