#include "rom/save_check.h"

#include "rom/hex_text.h"

namespace quorvane {

std::optional<InvalidField> FindInvalidField(const std::function<std::string(int box)>& text_of_box) {
  for (const FieldSlot& slot : kFieldTable) {
    if (!slot.editable) continue;  // never written, so never in the way
    std::string text = text_of_box(slot.box);
    if (ParseStrictByteText(text)) continue;
    std::string message = "The \"";
    message.append(slot.group_label).append("\" ").append(slot.byte_name).append(" holds ");
    if (text.empty()) {
      message.append("nothing");
    } else {
      message.append("\"").append(text).append("\"");
    }
    message.append(
        ", which is not a byte: type one or two hexadecimal digits (0-9, A-F). "
        "Nothing was saved.");
    return InvalidField{slot, std::move(text), std::move(message)};
  }
  return std::nullopt;
}

}  // namespace quorvane
