// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "rom/rom_error.h"

// What the platform files share: how a failure on an image file is told.
namespace quorvane::rom_file_failure {

// Throws RomError when no image has been opened yet (an empty path).
void RequireImage(const std::filesystem::path& path);

[[noreturn]] void Throw(RomFault fault, const std::filesystem::path& path, FileAccess access, std::string reason = {});

}  // namespace quorvane::rom_file_failure
