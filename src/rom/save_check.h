// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "rom/record_layout.h"

namespace quorvane {

// Looks at every box the user may edit, in field order, before anything is
// written, so that a Save either writes a whole record or nothing.
// text_of_box gives the text of box 1 to 10; the result is the first box
// whose text does not stand for exactly one byte.
std::optional<FieldSlot> FindInvalidField(const std::function<std::string(int box)>& text_of_box);

// The text pointer as a Save would write it, most significant byte first
// ("C3055F" for a middle box holding "5"); nullopt when a pointer box holds
// no byte.
std::optional<std::string> PointerAsSaved(const std::function<std::string(int box)>& text_of_box);

}  // namespace quorvane
