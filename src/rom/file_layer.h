// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "rom/rom_error.h"

namespace quorvane {

// Which file a path named when it was opened: the volume, the file's number
// on it (up to 128 bits, as Windows gives it on ReFS), and when the file was
// made, since a file system may hand a freed number straight to the next new
// file. Two opens that give different identities saw two different files, so
// the image was replaced (deleted and made anew, or another file renamed
// over it) in between.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t file_high = 0;  // the upper half, where the file system has one
  std::int64_t born = 0;        // in the system's own units; 0 where it keeps no birth time
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// What the file system said of an open file when it was opened.
struct FileFacts {
  std::uint64_t size = 0;
  FileIdentity identity;
};

// An image file opened for one access. Every failure throws RomError.
class ImageFile {
 public:
  virtual ~ImageFile() = default;
  virtual const FileFacts& Examine() const = 0;
  // A byte at or past the end of the file is a failure (kOutsideFile), told
  // with the file's size now (another program may have shortened it since
  // it was opened).
  virtual std::uint8_t ReadByteAt(std::uint32_t offset) = 0;
  // Writes in place, never at or past the end as it is now, and returns once
  // the byte is on the storage. kFlushFailed means the byte is in the file
  // all the same.
  virtual void WriteByteAt(std::uint32_t offset, std::uint8_t value) = 0;
  // Closes now and reports a failed close, which can mean a lost write.
  virtual void Close() = 0;
};

// How the core reaches image files: the platform's own in the program;
// tests put a layer of their own in between to play another program at a
// chosen moment, or a failing disk.
class FileLayer {
 public:
  virtual ~FileLayer() = default;
  // Opens an existing regular file, never creating, truncating or
  // extending one.
  virtual std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) = 0;
  // Whether the file may be written, as its permissions (or attributes) and
  // its file system say, asked without opening it for writing: a program
  // that watches it for writes sees none.
  virtual bool MayWrite(const std::filesystem::path& path);
};

// The platform's files (RomFile). It keeps no state.
FileLayer& PlatformFiles();

// A path as the user would read it, in UTF-8 whatever the platform's own
// encoding of file names.
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace quorvane
