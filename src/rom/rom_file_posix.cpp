// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// RomFile on POSIX systems (Linux, macOS): open, statx (Linux) or fstat,
// pread or pwrite and fdatasync, close.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/sysmacros.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>
#include <utility>

#include "rom/rom_file.h"
#include "rom/rom_file_failure.h"

namespace quorvane {
namespace {

// The fault an errno stands for, where it is one the user can act on.
RomFault FaultOf(int error, RomFault otherwise) {
  if (error == ENOENT || error == ENOTDIR) return RomFault::kMissing;
  if (error == EISDIR) return RomFault::kFolder;
  // ENXIO: a pipe opened for writing that no program reads.
  if (error == ESPIPE || error == EINVAL || error == ENXIO) return RomFault::kNotRegular;
  return otherwise;
}

int OpenExisting(const std::filesystem::path& path, FileAccess access) {
  rom_file_failure::RequireImage(path);
  // O_NONBLOCK keeps a pipe from hanging the open; it changes nothing for a
  // regular file. Without O_CREAT and O_TRUNC a missing file stays missing.
  const int mode = access == FileAccess::kRead ? O_RDONLY : O_WRONLY;
  int descriptor;
  do {
    descriptor = ::open(path.c_str(), mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  } while (descriptor < 0 && errno == EINTR);
  if (descriptor < 0) {
    const int error = errno;
    rom_file_failure::Throw(FaultOf(error, RomFault::kCannotOpen), path, access, std::strerror(error));
  }
  return descriptor;
}

}  // namespace

bool RomFile::MayWrite(const std::filesystem::path& path) {
  // As the effective user; a file system mounted read-only says EROFS.
  return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

RomFile RomFile::Open(const std::filesystem::path& path, FileAccess access) {
  RomFile file(OpenExisting(path, access), access, path);
  // One look at the handle just opened: what the file is, which file it
  // is, and its length, which bounds every write.
  const int descriptor = static_cast<int>(file.handle_);
#ifdef __linux__
  struct statx status {};
  if (::statx(descriptor, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_INO | STATX_BTIME, &status) != 0) {
    file.Fail(RomFault::kCannotOpen, std::strerror(errno));
  }
  const auto mode = status.stx_mode;
  const auto size = status.stx_size;
  const auto volume = makedev(status.stx_dev_major, status.stx_dev_minor);
  const auto number = status.stx_ino;
  // Some file systems keep no birth time; there the rest must do.
  const std::int64_t born =
      (status.stx_mask & STATX_BTIME) != 0 ? status.stx_btime.tv_sec * 1'000'000'000LL + status.stx_btime.tv_nsec : 0;
#else
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) file.Fail(RomFault::kCannotOpen, std::strerror(errno));
  const auto mode = status.st_mode;
  const auto size = status.st_size;
  const auto volume = status.st_dev;
  const auto number = status.st_ino;
#ifdef __APPLE__
  const std::int64_t born = status.st_birthtimespec.tv_sec * 1'000'000'000LL + status.st_birthtimespec.tv_nsec;
#else
  const std::int64_t born = 0;  // no birth time to ask for
#endif
#endif
  if (!S_ISREG(mode)) file.Fail(S_ISDIR(mode) ? RomFault::kFolder : RomFault::kNotRegular);
  file.facts_ = FileFacts{static_cast<std::uint64_t>(size), FileIdentity{static_cast<std::uint64_t>(volume),
                                                                         static_cast<std::uint64_t>(number), 0, born}};
  return file;
}

RomFile::~RomFile() {
  if (handle_ != kNoHandle) ::close(static_cast<int>(handle_));
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) {
  unsigned char byte = 0;
  ssize_t count;
  do {
    count = ::pread(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail(FaultOf(errno, RomFault::kReadFailed), std::strerror(errno));
  if (count == 0) FailOutside(offset);
  return byte;
}

std::uint64_t RomFile::SizeNow() {
  // The end's offset, which costs the system less than a status; positioned
  // reads and writes ignore the file position it moves.
  const off_t end = ::lseek(static_cast<int>(handle_), 0, SEEK_END);
  if (end < 0) Fail(RomFault::kReadFailed, std::strerror(errno));
  return static_cast<std::uint64_t>(end);
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead. The
  // size now, not at the open: another program may have shortened it since.
  if (offset >= SizeNow()) FailOutside(offset);
  const unsigned char byte = value;
  ssize_t count;
  do {
    count = ::pwrite(static_cast<int>(handle_), &byte, 1, static_cast<off_t>(offset));
  } while (count < 0 && errno == EINTR);
  if (count < 0) Fail(FaultOf(errno, RomFault::kWriteFailed), std::strerror(errno));
  if (count != 1) Fail(RomFault::kWriteFailed);
  // Saved means on the storage, not in the system's cache: fdatasync, and
  // on macOS F_FULLFSYNC, since its fsync stops at the drive's own cache.
  int flushed;
  do {
#ifdef F_FULLFSYNC
    flushed = ::fcntl(static_cast<int>(handle_), F_FULLFSYNC);
    // A file system without it says so; any other error is the flush failing.
    if (flushed != 0 &&
        (errno == ENOTSUP || errno == EOPNOTSUPP || errno == ENOTTY || errno == EINVAL || errno == ENOSYS))
      flushed = ::fsync(static_cast<int>(handle_));
#else
    flushed = ::fdatasync(static_cast<int>(handle_));
#endif
  } while (flushed != 0 && errno == EINTR);
  if (flushed != 0) Fail(RomFault::kFlushFailed, std::strerror(errno), offset);
}

void RomFile::Close() {
  const auto descriptor = static_cast<int>(std::exchange(handle_, kNoHandle));
  if (descriptor >= 0 && ::close(descriptor) != 0 && errno != EINTR) Fail(RomFault::kCloseFailed, std::strerror(errno));
}

}  // namespace quorvane
