#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace quorvane {

// Which file a path named when it was opened: the volume and the file's
// number on it (up to 128 bits, as Windows gives it on ReFS). Two opens that
// give different identities saw two different files, so the image was
// replaced (deleted and made anew, or another file renamed over it) in
// between.
struct FileIdentity {
  std::uint64_t volume = 0;
  std::uint64_t file = 0;
  std::uint64_t file_high = 0;  // the upper half, where the file system has one
  friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// An open image file, good for touching single bytes in place. It is opened
// for one access and closed again at once; the destructor closes it on every
// path out, including failures. Opening never creates, truncates or extends a
// file, and only regular files serve (a folder, a pipe or a device is not an
// image): each open asks the system, on the handle it opened, what the file
// is, so that the caller can tell it is still the file it expects before it
// touches a byte. A byte written is on the storage before the write returns.
// Every failure throws RomError naming the file and the reason.
// The path must outlive the object.
//
// One implementation per platform, each in its own source file; the build
// picks the one that fits.
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

  // What the file system said of the open file when it was opened.
  struct Facts {
    std::uint64_t size;
    FileIdentity identity;
  };
  const Facts& Examine() const { return facts_; }
  // A byte at or past the end of the file is a failure; nothing is written
  // there, so the file never grows. A write is flushed to the storage before
  // it returns, and a failed flush is a failed write.
  std::uint8_t ReadByteAt(std::uint32_t offset) const;
  void WriteByteAt(std::uint32_t offset, std::uint8_t value);

#ifdef _WIN32
  // Windows names a file by a 128-bit identifier where the file system has
  // one (ReFS, NTFS), and by a 64-bit index everywhere; both, for tests.
  enum class WindowsFileId { k128Bit, kIndex };
  FileIdentity WindowsIdentity(WindowsFileId kind) const;
#endif

  // Closes now and reports a failed close, which can mean a lost write.
  void Close();

 private:
  // A POSIX descriptor or a Win32 handle, whichever the platform uses.
  // Both use -1 for none (INVALID_HANDLE_VALUE on Windows).
  using NativeHandle = std::intptr_t;
  static constexpr NativeHandle kNoHandle = -1;
  enum class Access { kRead, kWrite };

  RomFile(NativeHandle handle, Access access, const std::filesystem::path& path);
  static RomFile Open(const std::filesystem::path& path, Access access);
  [[noreturn]] void ThrowOutsideFile(std::uint32_t offset, std::uint64_t size) const;
  // Throws RomError: Cannot <doing> "<path>": <reason>.
  [[noreturn]] void Fail(std::string_view doing, std::string_view reason) const;

  NativeHandle handle_;
  Access access_;
  const std::filesystem::path* path_;  // the caller's; a file lives only within one call
  Facts facts_{};                      // taken when opened
};

// The steps every image file goes through, for tests to watch, or to meddle
// with the file at a chosen moment (another program replacing it just before
// an open, say). Nothing watches in the program itself.
enum class FileStep { kOpening, kWritten, kFlushed };
using FileStepWatcher = std::function<void(FileStep step, const std::filesystem::path& path)>;
void WatchFileSteps(FileStepWatcher watcher);

// A path as the user would read it, in UTF-8 whatever the platform's own
// encoding of file names.
std::string DisplayPath(const std::filesystem::path& path);

}  // namespace quorvane
