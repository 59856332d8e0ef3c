#include "rom/rom_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "rom/hex_text.h"
#include "rom/rom_error.h"

namespace quorvane {
namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

[[noreturn]] void ThrowSystemError(const std::string& what, const std::filesystem::path& path,
                                   int error) {
  throw RomError(what + " " + Quoted(path) + ": " + std::strerror(error) + ".");
}

int OpenExisting(const std::filesystem::path& path, int access, const std::string& purpose) {
  if (path.empty()) throw RomError("No image is open.");
  const std::string what = "Cannot open " + Quoted(path) + " " + purpose;
  // O_NONBLOCK keeps a pipe from hanging the open; it changes nothing for a
  // regular file. Without O_CREAT and O_TRUNC a missing file stays missing.
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) throw RomError(what + ": " + std::strerror(errno) + ".");

  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    const int error = errno;
    ::close(descriptor);
    throw RomError(what + ": " + std::strerror(error) + ".");
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(descriptor);
    throw RomError(what + (S_ISDIR(status.st_mode) ? ": it is a folder, not a file."
                                                   : ": it is not a regular file."));
  }
  return descriptor;
}

}  // namespace

RomFile RomFile::OpenForReading(const std::filesystem::path& path) {
  return RomFile(OpenExisting(path, O_RDONLY, "for reading"), path);
}

RomFile RomFile::OpenForWriting(const std::filesystem::path& path) {
  return RomFile(OpenExisting(path, O_WRONLY, "for writing"), path);
}

RomFile::RomFile(int descriptor, std::filesystem::path path)
    : descriptor_(descriptor), path_(std::move(path)) {}

RomFile::RomFile(RomFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(std::move(other.path_)) {}

RomFile::~RomFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

std::uint64_t RomFile::Size() const {
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) ThrowSystemError("Cannot read the size of", path_, errno);
  return static_cast<std::uint64_t>(status.st_size);
}

void RomFile::ThrowOutsideFile(std::uint32_t offset) const {
  throw RomError("The byte at offset " + FormatHexNumber(offset) + " lies outside " +
                 Quoted(path_) + ", which is only " + std::to_string(Size()) +
                 " bytes long: the file is too short to be a complete image.");
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) const {
  unsigned char byte = 0;
  ssize_t count;
  do {
    count = ::pread(descriptor_, &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) ThrowSystemError("Cannot read from", path_, errno);
  if (count == 0) ThrowOutsideFile(offset);
  return byte;
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing past the end would extend the file; refuse instead.
  if (offset >= Size()) ThrowOutsideFile(offset);
  const unsigned char byte = value;
  ssize_t count;
  do {
    count = ::pwrite(descriptor_, &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) ThrowSystemError("Cannot write to", path_, errno);
  if (count != 1) throw RomError("Cannot write to " + Quoted(path_) + ": nothing was written.");
}

void RomFile::Close() {
  const int descriptor = std::exchange(descriptor_, -1);
  if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
    ThrowSystemError("Cannot finish writing", path_, errno);
  }
}

}  // namespace quorvane
