#pragma once

#include <cstdint>
#include <filesystem>

namespace quorvane {

// An open image file, good for touching single bytes in place. It is opened
// for one access and closed again at once; the destructor closes it on every
// path out, including failures. Opening never creates, truncates or extends a
// file, and only regular files serve (a folder or a pipe is not an image).
// Every failure throws RomError naming the file and the reason.
// The path must outlive the object.
class RomFile {
 public:
  static RomFile OpenForReading(const std::filesystem::path& path);
  // Write access only, changing the file in place.
  static RomFile OpenForWriting(const std::filesystem::path& path);

  RomFile(RomFile&& other) noexcept;
  RomFile& operator=(RomFile&&) = delete;
  RomFile(const RomFile&) = delete;
  RomFile& operator=(const RomFile&) = delete;
  ~RomFile();

  // What the file system says of the open file; fails for anything but a
  // regular file.
  struct Facts {
    std::uint64_t size;
    std::uint64_t device;
    std::uint64_t inode;
  };
  Facts Examine() const;
  // A byte at or past the end of the file is a failure; nothing is written
  // there, so the file never grows.
  std::uint8_t ReadByteAt(std::uint32_t offset) const;
  void WriteByteAt(std::uint32_t offset, std::uint8_t value);

  // Closes now and reports a failed close, which can mean a lost write.
  void Close();

 private:
  RomFile(int descriptor, const std::filesystem::path& path);
  [[noreturn]] void ThrowOutsideFile(std::uint32_t offset, std::uint64_t size) const;

  int descriptor_;
  const std::filesystem::path* path_;  // the caller's; a file lives only within one call
  std::uint64_t size_ = 0;  // taken when opened for writing
};

}  // namespace quorvane
