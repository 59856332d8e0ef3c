// The parts of RomFile that every platform shares; the system calls are in
// rom_file_posix.cpp and rom_file_win32.cpp.
#include "rom/rom_file.h"

#include <utility>

#include "rom/hex_text.h"
#include "rom/rom_error.h"
#include "rom/rom_file_failure.h"

namespace quorvane {

std::string DisplayPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

namespace rom_file_failure {

void RequireImage(const std::filesystem::path& path) {
  if (path.empty()) throw RomError("No image is open.");
}

void Throw(std::string_view doing, const std::filesystem::path& path, std::string_view purpose,
           std::string_view reason) {
  std::string message = "Cannot ";
  message.append(doing).append(" \"").append(DisplayPath(path)).append("\"");
  message.append(purpose).append(": ").append(reason).append(".");
  throw RomError(message);
}

}  // namespace rom_file_failure

namespace {

FileStepWatcher& Watcher() {
  static FileStepWatcher watcher;
  return watcher;
}

}  // namespace

void WatchFileSteps(FileStepWatcher watcher) { Watcher() = std::move(watcher); }

void rom_file_failure::Report(FileStep step, const std::filesystem::path& path) {
  if (Watcher()) Watcher()(step, path);
}

RomFile::RomFile(NativeHandle handle, Access access, const std::filesystem::path& path)
    : handle_(handle), access_(access), path_(&path) {}

RomFile::RomFile(RomFile&& other) noexcept
    : handle_(std::exchange(other.handle_, kNoHandle)),
      access_(other.access_),
      path_(other.path_),
      facts_(other.facts_) {}

RomFile RomFile::OpenForReading(const std::filesystem::path& path) { return Open(path, Access::kRead); }

RomFile RomFile::OpenForWriting(const std::filesystem::path& path) { return Open(path, Access::kWrite); }

void RomFile::ThrowOutsideFile(std::uint32_t offset, std::uint64_t size) const {
  throw RomError("The byte at offset " + FormatHexNumber(offset) + " lies outside \"" + DisplayPath(*path_) +
                 "\", which is only " + std::to_string(size) +
                 " bytes long: the file is too short to be a complete image.");
}

void RomFile::Fail(std::string_view doing, std::string_view reason) const {
  rom_file_failure::Throw(doing, *path_, "", reason);
}

}  // namespace quorvane
