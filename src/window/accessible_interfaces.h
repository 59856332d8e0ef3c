// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvane {

// Makes assistive software see the window's own widget classes through the
// interfaces below: FieldLineEdit as an editable text that answers every
// question about its text (Qt 6.4's own line edit interface loops for ever
// when asked for the word or sentence at the end of the text), GroupFrame
// as a named group. Safe to call more than once.
void InstallAccessibleInterfaces();

}  // namespace quorvane
