// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

#include "rom/field_box.h"

namespace quorvane {

// The input rule of the pointer boxes: the box's text in upper case, without
// its last character when that is not a hexadecimal digit. Only the last
// character is looked at. Places the box's caret after the upper-cased text;
// the caller sets the result as the box's text.
std::string FilterHexInput(FieldBox& box);

}  // namespace quorvane
