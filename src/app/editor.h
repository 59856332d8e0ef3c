// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

namespace quorvane {

// Start-up: names the program, creates the window, runs its Load handling
// and shows it; returns when the program ends (the window closed, or Open
// obtained an empty file name), with its exit status.
int RunEditor(QApplication& application);

}  // namespace quorvane
