// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace quorvane {

// The form of a path that Windows' file calls take. They refuse a path of
// MAX_PATH (260) characters or more unless it is in the extended form,
// \\?\C:\... or \\?\UNC\server\share\..., which they take as it stands:
// absolute, with backslashes, and no "." or "..". Shorter paths stay as they
// are, so that device names (NUL) and relative paths keep their meaning.
// Built on Windows only.
std::wstring WindowsSystemPath(const std::filesystem::path& path);

}  // namespace quorvane
