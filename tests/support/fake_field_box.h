#pragma once

#include <string>

#include "rom/field_box.h"

namespace quorvane::testing {

// A field box without a window: it keeps its text and where its caret is.
class FakeFieldBox : public FieldBox {
 public:
  explicit FakeFieldBox(std::string text = {}) : text_(std::move(text)) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override { text_ = text; }
  void SetCaretPosition(int position) override { caret = position; }

  int caret = -1;

 private:
  std::string text_;
};

}  // namespace quorvane::testing
