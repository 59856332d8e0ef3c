// RomFile on POSIX systems (Linux, macOS): open, pread, pwrite, close.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "rom/rom_file.h"
#include "rom/rom_file_failure.h"

namespace quorvane {
namespace {

std::string_view Reason(int error) {
  if (error == EISDIR) return rom_file_failure::kFolder;
  if (error == ESPIPE || error == EINVAL) return rom_file_failure::kNotRegular;
  return std::strerror(error);
}

int OpenExisting(const std::filesystem::path& path, int access, std::string_view purpose) {
  rom_file_failure::RequireImage(path);
  // O_NONBLOCK keeps a pipe from hanging the open; it changes nothing for a
  // regular file. Without O_CREAT and O_TRUNC a missing file stays missing.
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), access | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) rom_file_failure::Throw("open", path, purpose, Reason(errno));
  return descriptor;
}

}  // namespace

RomFile RomFile::OpenForReading(const std::filesystem::path& path) {
  // Reading needs no fstat: a folder or a pipe fails at the read itself, and
  // one system call fewer matters when every byte opens the file afresh.
  return RomFile(OpenExisting(path, O_RDONLY, " for reading"), Access::kRead, path);
}

RomFile RomFile::OpenForWriting(const std::filesystem::path& path) {
  RomFile file(OpenExisting(path, O_WRONLY, " for writing"), Access::kWrite, path);
  // The length bounds every write. lseek is the cheapest way to learn it and
  // fails for a pipe; a folder cannot be opened for writing at all.
  const off_t end = ::lseek(static_cast<int>(file.handle_), 0, SEEK_END);
  if (end < 0) file.Fail("use", Reason(errno));
  file.size_ = static_cast<std::uint64_t>(end);
  return file;
}

RomFile::~RomFile() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
}

RomFile::Facts RomFile::Examine() const {
  struct stat status {};
  if (::fstat(static_cast<int>(handle_), &status) != 0) Fail("examine", Reason(errno));
  if (!S_ISREG(status.st_mode)) Fail("use", Reason(S_ISDIR(status.st_mode) ? EISDIR : ESPIPE));
  return Facts{static_cast<std::uint64_t>(status.st_size),
               FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)}};
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) const {
  unsigned char byte = 0;
  ssize_t count;
  do {
    count = ::pread(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail("read from", Reason(errno));
  if (count == 0) ThrowOutsideFile(offset, Examine().size);
  return byte;
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead.
  if (offset >= size_) ThrowOutsideFile(offset, size_);
  const unsigned char byte = value;
  ssize_t count;
  do {
    count = ::pwrite(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail("write to", Reason(errno));
  if (count != 1) Fail("write to", "nothing was written");
}

void RomFile::Close() {
  const auto descriptor = static_cast<int>(std::exchange(handle_, kNoHandle));
  if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
    Fail(access_ == Access::kRead ? "finish reading" : "finish writing", Reason(errno));
  }
}

}  // namespace quorvane
