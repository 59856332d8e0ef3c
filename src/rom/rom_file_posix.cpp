// RomFile on POSIX systems (Linux, macOS): open, fstat, pread or pwrite and
// fdatasync, close.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
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
  rom_file_failure::Report(FileStep::kOpening, path);
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

RomFile RomFile::Open(const std::filesystem::path& path, Access access) {
  const bool reading = access == Access::kRead;
  RomFile file(OpenExisting(path, reading ? O_RDONLY : O_WRONLY, reading ? " for reading" : " for writing"), access,
               path);
  // One fstat on the handle just opened: what the file is, which file it
  // is, and its length, which bounds every write.
  struct stat status {};
  if (::fstat(static_cast<int>(file.handle_), &status) != 0) file.Fail("examine", Reason(errno));
  if (!S_ISREG(status.st_mode)) file.Fail("use", Reason(S_ISDIR(status.st_mode) ? EISDIR : ESPIPE));
  file.facts_ =
      Facts{static_cast<std::uint64_t>(status.st_size),
            FileIdentity{static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)}};
  return file;
}

RomFile::~RomFile() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) const {
  unsigned char byte = 0;
  ssize_t count;
  do {
    count = ::pread(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail("read from", Reason(errno));
  if (count == 0) ThrowOutsideFile(offset, facts_.size);
  return byte;
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead.
  if (offset >= facts_.size) ThrowOutsideFile(offset, facts_.size);
  const unsigned char byte = value;
  ssize_t count;
  do {
    count = ::pwrite(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail("write to", Reason(errno));
  if (count != 1) Fail("write to", "nothing was written");
  rom_file_failure::Report(FileStep::kWritten, *path_);
  // Saved means on the storage, not in the system's cache: fdatasync, and
  // on macOS F_FULLFSYNC, since its fsync stops at the drive's own cache.
  int flushed;
  do {
#ifdef F_FULLFSYNC
    flushed = ::fcntl(static_cast<int>(handle_), F_FULLFSYNC);
    if (flushed != 0 && errno != EINTR) flushed = ::fsync(static_cast<int>(handle_));  // a file system without it
#else
    flushed = ::fdatasync(static_cast<int>(handle_));
#endif
  } while (flushed != 0 && errno == EINTR);
  if (flushed != 0) Fail("write to", std::string("the byte did not reach the storage: ") + std::strerror(errno));
  rom_file_failure::Report(FileStep::kFlushed, *path_);
}

void RomFile::Close() {
  const auto descriptor = static_cast<int>(std::exchange(handle_, kNoHandle));
  if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) {
    Fail(access_ == Access::kRead ? "finish reading" : "finish writing", Reason(errno));
  }
}

}  // namespace quorvane
