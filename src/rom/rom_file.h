// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>

#include "rom/file_layer.h"

namespace quorvane {

// An open image file of the platform, good for touching single bytes in
// place. It is opened for one access and closed again at once; the
// destructor closes it on every path out, including failures. Opening never
// creates, truncates or extends a file, and only regular files serve (a
// folder, a pipe or a device is not an image): each open asks the system,
// on the handle it opened, what the file is, so that the caller can tell it
// is still the file it expects before it touches a byte.
// The path must outlive the object.
//
// One implementation per platform, each in its own source file; the build
// picks the one that fits.
class RomFile final : public ImageFile {
 public:
  static RomFile Open(const std::filesystem::path& path, FileAccess access);
  static bool MayWrite(const std::filesystem::path& path);

  RomFile(RomFile&& other) noexcept;
  RomFile& operator=(RomFile&&) = delete;
  RomFile(const RomFile&) = delete;
  RomFile& operator=(const RomFile&) = delete;
  ~RomFile() override;

  const FileFacts& Examine() const override { return facts_; }
  std::uint8_t ReadByteAt(std::uint32_t offset) override;
  void WriteByteAt(std::uint32_t offset, std::uint8_t value) override;
  void Close() override;

#ifdef _WIN32
  // Windows names a file by a 128-bit identifier where the file system has
  // one (ReFS, NTFS), and by a 64-bit index everywhere; both, for tests.
  enum class WindowsFileId { k128Bit, kIndex };
  FileIdentity WindowsIdentity(WindowsFileId kind) const;
#endif

 private:
  // A POSIX descriptor or a Win32 handle, whichever the platform uses.
  // Both use -1 for none (INVALID_HANDLE_VALUE on Windows).
  using NativeHandle = std::intptr_t;
  static constexpr NativeHandle kNoHandle = -1;

  RomFile(NativeHandle handle, FileAccess access, const std::filesystem::path& path);
  [[noreturn]] void Fail(RomFault fault, std::string reason = {}, std::uint64_t offset = 0) const;
  // kOutsideFile, told with the size the file has now: another program may
  // have shortened it since it was opened.
  [[noreturn]] void FailOutside(std::uint64_t offset);
  std::uint64_t SizeNow();

  NativeHandle handle_;
  FileAccess access_;
  const std::filesystem::path* path_;  // the caller's; a file lives only within one call
  FileFacts facts_{};                  // taken when opened
};

}  // namespace quorvane
