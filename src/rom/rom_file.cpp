// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The parts of RomFile that every platform shares; the system calls are in
// rom_file_posix.cpp and rom_file_win32.cpp.
#include "rom/rom_file.h"

#include <utility>

#include "rom/rom_file_failure.h"

namespace quorvane {

std::string DisplayPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

namespace {

class PlatformFileLayer final : public FileLayer {
 public:
  std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) override {
    return std::make_unique<RomFile>(RomFile::Open(path, access));
  }
};

}  // namespace

bool FileLayer::MayWrite(const std::filesystem::path& path) { return RomFile::MayWrite(path); }

FileLayer& PlatformFiles() {
  static PlatformFileLayer files;
  return files;
}

void rom_file_failure::RequireImage(const std::filesystem::path& path) {
  if (path.empty()) throw RomError({.fault = RomFault::kNoImage});
}

void rom_file_failure::Throw(RomFault fault, const std::filesystem::path& path, FileAccess access, std::string reason) {
  throw RomError({.fault = fault, .path = path, .access = access, .reason = std::move(reason)});
}

RomFile::RomFile(NativeHandle handle, FileAccess access, const std::filesystem::path& path)
    : handle_(handle), access_(access), path_(&path) {}

RomFile::RomFile(RomFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)),
      access_(other.access_),
      path_(other.path_),
      facts_(other.facts_) {}

void RomFile::FailOutside(std::uint64_t offset) {
  const std::uint64_t size = SizeNow();
  throw RomError({.fault = RomFault::kOutsideFile, .path = *path_, .access = access_, .offset = offset, .size = size});
}

void RomFile::Fail(RomFault fault, std::string reason, std::uint64_t offset) const {
  throw RomError({.fault = fault,
                  .path = *path_,
                  .access = access_,
                  .offset = offset,
                  .size = facts_.size,
                  .reason = std::move(reason)});
}

}  // namespace quorvane
