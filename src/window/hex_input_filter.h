// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>

#include "rom/field_box.h"

namespace quorvane {

// The input rule of the pointer boxes: the box's text in upper case, without
// its last character when that is not a hexadecimal digit. Only the last
// character is looked at. Places the box's caret after the upper-cased text;
// the caller sets the result as the box's text.
std::string FilterHexInput(FieldBox& box);

// The rule applied, until it drops nothing more, to text on its way into the
// end of a pointer box (typed or pasted): in upper case, without every
// trailing character that is not a hexadecimal digit. Applied before the
// text goes in, it leaves the filter nothing to correct, and the box's own
// undo takes back what was typed.
QString FilterHexTyped(const QString& typed);

}  // namespace quorvane
