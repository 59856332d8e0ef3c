#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "rom/rom_file.h"

// What the platform files share: how a failure on an image file is worded.
namespace quorvane::rom_file_failure {

inline constexpr std::string_view kFolder = "it is a folder, not a file";
inline constexpr std::string_view kNotRegular = "it is not a regular file";

// Tells the watcher, if a test set one, that a file reached this step.
void Report(FileStep step, const std::filesystem::path& path);

// Throws RomError when no image has been opened yet (an empty path).
void RequireImage(const std::filesystem::path& path);

// Throws RomError saying "Cannot <doing> "<path>"<purpose>: <reason>.", for
// example: Cannot open "a.smc" for writing: Permission denied.
[[noreturn]] void Throw(std::string_view doing, const std::filesystem::path& path, std::string_view purpose,
                        std::string_view reason);

}  // namespace quorvane::rom_file_failure
