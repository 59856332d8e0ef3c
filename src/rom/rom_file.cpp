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

std::string Reason(int error) {
  if (error == EISDIR) return "it is a folder, not a file";
  if (error == ESPIPE || error == EINVAL) return "it is not a regular file";
  return std::strerror(error);
}

int OpenExisting(const std::filesystem::path& path, int access, const char* purpose) {
  if (path.empty()) throw RomError("No image is open.");
  // O_NONBLOCK keeps a pipe from hanging the open; it changes nothing for a
  // regular file. Without O_CREAT and O_TRUNC a missing file stays missing.
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    throw RomError("Cannot open " + Quoted(path) + " " + purpose + ": " + Reason(errno) + ".");
  }
  return descriptor;
}

}  // namespace

RomFile RomFile::OpenForReading(const std::filesystem::path& path) {
  // Reading needs no fstat: a folder or a pipe fails at the read itself, and
  // one system call fewer matters when every byte opens the file afresh.
  return RomFile(OpenExisting(path, O_RDONLY, "for reading"), path);
}

RomFile RomFile::OpenForWriting(const std::filesystem::path& path) {
  RomFile file(OpenExisting(path, O_WRONLY, "for writing"), path);
  // The length bounds every write. lseek is the cheapest way to learn it and
  // fails for a pipe; a folder cannot be opened for writing at all.
  const off_t end = ::lseek(file.descriptor_, 0, SEEK_END);
  if (end < 0) throw RomError("Cannot use " + Quoted(path) + ": " + Reason(errno) + ".");
  file.size_ = static_cast<std::uint64_t>(end);
  return file;
}

RomFile::RomFile(int descriptor, const std::filesystem::path& path)
    : descriptor_(descriptor), path_(&path) {}

RomFile::RomFile(RomFile&& other) noexcept
    : descriptor_(std::exchange(other.descriptor_, -1)), path_(other.path_), size_(other.size_) {}

RomFile::~RomFile() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

RomFile::Facts RomFile::Examine() const {
  struct stat status {};
  if (::fstat(descriptor_, &status) != 0) {
    throw RomError("Cannot examine " + Quoted(*path_) + ": " + Reason(errno) + ".");
  }
  if (!S_ISREG(status.st_mode)) {
    throw RomError("Cannot use " + Quoted(*path_) + ": " +
                   Reason(S_ISDIR(status.st_mode) ? EISDIR : ESPIPE) + ".");
  }
  return Facts{static_cast<std::uint64_t>(status.st_size), static_cast<std::uint64_t>(status.st_dev),
               static_cast<std::uint64_t>(status.st_ino)};
}

void RomFile::ThrowOutsideFile(std::uint32_t offset, std::uint64_t size) const {
  throw RomError("The byte at offset " + FormatHexNumber(offset) + " lies outside " + Quoted(*path_) +
                 ", which is only " + std::to_string(size) +
                 " bytes long: the file is too short to be a complete image.");
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) const {
  unsigned char byte = 0;
  ssize_t count;
  do {
    count = ::pread(descriptor_, &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) throw RomError("Cannot read from " + Quoted(*path_) + ": " + Reason(errno) + ".");
  if (count == 0) ThrowOutsideFile(offset, Examine().size);
  return byte;
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead.
  if (offset >= size_) ThrowOutsideFile(offset, size_);
  const unsigned char byte = value;
  ssize_t count;
  do {
    count = ::pwrite(descriptor_, &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count != 1) {
    throw RomError("Cannot write to " + Quoted(*path_) + ": " +
                   (count < 0 ? Reason(errno) : std::string("nothing was written")) + ".");
  }
}

void RomFile::Close() {
  const int descriptor = std::exchange(descriptor_, -1);
  if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
    throw RomError("Cannot finish writing " + Quoted(*path_) + ": " + Reason(errno) + ".");
  }
}

}  // namespace quorvane
