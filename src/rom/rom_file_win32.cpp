// RomFile on Windows: CreateFileW, ReadFile and WriteFile at an offset given
// through OVERLAPPED, CloseHandle. Paths go to the system as UTF-16, so any
// name the user can choose works.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <utility>

#include "rom/rom_file.h"
#include "rom/rom_file_failure.h"
#include "rom/windows_path.h"

namespace quorvane {
namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

// The system's own words for an error code, without the closing full stop.
std::string SystemReason(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length =
      ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer != nullptr ? buffer : L"", length);
  ::LocalFree(buffer);
  while (!text.empty() &&
         (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' || text.back() == L'.')) {
    text.pop_back();
  }
  if (text.empty()) return "system error " + std::to_string(error);
  return DisplayPath(std::filesystem::path(text));
}

// Opening a folder without backup semantics is refused as access denied;
// say what the user needs to hear instead.
std::string Reason(DWORD error, const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(WindowsSystemPath(path).c_str());
  if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return std::string(rom_file_failure::kFolder);
  }
  return SystemReason(error);
}

std::intptr_t OpenExisting(const std::filesystem::path& path, DWORD access, std::string_view purpose) {
  rom_file_failure::RequireImage(path);
  // OPEN_EXISTING never creates or truncates. Sharing read, write and delete
  // lets an emulator or another tool that holds the image open go on using
  // it, and lets the editor in while it does.
  const HANDLE handle =
      ::CreateFileW(WindowsSystemPath(path).c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) {
    rom_file_failure::Throw("open", path, purpose, Reason(::GetLastError(), path));
  }
  // A pipe or a device (CON, NUL, \\.\pipe\...) is no image, and a read
  // from a pipe could wait for ever.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    ::CloseHandle(handle);
    rom_file_failure::Throw("use", path, "", rom_file_failure::kNotRegular);
  }
  return reinterpret_cast<std::intptr_t>(handle);
}

OVERLAPPED At(std::uint32_t offset) {
  OVERLAPPED position{};
  position.Offset = offset;
  return position;
}

}  // namespace

RomFile RomFile::OpenForReading(const std::filesystem::path& path) {
  return RomFile(OpenExisting(path, GENERIC_READ, " for reading"), Access::kRead, path);
}

RomFile RomFile::OpenForWriting(const std::filesystem::path& path) {
  RomFile file(OpenExisting(path, GENERIC_WRITE, " for writing"), Access::kWrite, path);
  // The length bounds every write.
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(AsHandle(file.handle_), &size)) file.Fail("use", SystemReason(::GetLastError()));
  file.size_ = static_cast<std::uint64_t>(size.QuadPart);
  return file;
}

RomFile::~RomFile() {
  if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
}

RomFile::Facts RomFile::Examine() const {
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(AsHandle(handle_), &information)) {
    Fail("examine", SystemReason(::GetLastError()));
  }
  if ((information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) Fail("use", rom_file_failure::kFolder);
  const auto wide = [](DWORD high, DWORD low) { return (std::uint64_t{high} << 32) | low; };
  return Facts{
      wide(information.nFileSizeHigh, information.nFileSizeLow),
      FileIdentity{information.dwVolumeSerialNumber, wide(information.nFileIndexHigh, information.nFileIndexLow)}};
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) const {
  unsigned char byte = 0;
  DWORD count = 0;
  OVERLAPPED position = At(offset);
  if (!::ReadFile(AsHandle(handle_), &byte, 1, &count, &position)) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_HANDLE_EOF) Fail("read from", SystemReason(error));
  }
  if (count == 0) ThrowOutsideFile(offset, Examine().size);
  return byte;
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead.
  if (offset >= size_) ThrowOutsideFile(offset, size_);
  const unsigned char byte = value;
  DWORD count = 0;
  OVERLAPPED position = At(offset);
  if (!::WriteFile(AsHandle(handle_), &byte, 1, &count, &position)) {
    Fail("write to", SystemReason(::GetLastError()));
  }
  if (count != 1) Fail("write to", "nothing was written");
}

void RomFile::Close() {
  const HANDLE handle = AsHandle(std::exchange(handle_, kNoHandle));
  if (handle != INVALID_HANDLE_VALUE && !::CloseHandle(handle)) {
    Fail(access_ == Access::kRead ? "finish reading" : "finish writing", SystemReason(::GetLastError()));
  }
}

}  // namespace quorvane
