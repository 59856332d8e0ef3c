// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// RomFile on Windows: CreateFileW, ReadFile, or WriteFile and
// FlushFileBuffers, at an offset given through OVERLAPPED, CloseHandle. Paths go to the system as UTF-16, so any
// name the user can choose works.
#include <windows.h>

#include <cstring>
#include <string>
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

// The fault a failed open stands for. Opening a folder without backup
// semantics is refused as access denied.
RomFault OpenFault(DWORD error, const std::filesystem::path& path) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return RomFault::kMissing;
  const DWORD attributes = ::GetFileAttributesW(WindowsSystemPath(path).c_str());
  if (error == ERROR_ACCESS_DENIED && attributes != INVALID_FILE_ATTRIBUTES &&
      (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return RomFault::kFolder;
  }
  return RomFault::kCannotOpen;
}

// A virus scanner, a backup or an indexer may hold the image without sharing
// it for a moment; such an open is tried again for about a second before
// the user hears that another program is using the file.
constexpr DWORD kRetryWait = 50;  // milliseconds
constexpr int kRetries = 20;

bool IsPassingLock(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

std::intptr_t OpenExisting(const std::filesystem::path& path, FileAccess access) {
  rom_file_failure::RequireImage(path);
  // OPEN_EXISTING never creates or truncates. Sharing read, write and delete
  // lets an emulator or another tool that holds the image open go on using
  // it, and lets the editor in while it does.
  const std::wstring system_path = WindowsSystemPath(path);
  HANDLE handle = INVALID_HANDLE_VALUE;
  DWORD error = ERROR_SUCCESS;
  for (int attempt = 0;; ++attempt) {
    handle = ::CreateFileW(system_path.c_str(), access == FileAccess::kRead ? GENERIC_READ : GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle != INVALID_HANDLE_VALUE) break;
    error = ::GetLastError();
    if (!IsPassingLock(error) || attempt == kRetries) break;
    ::Sleep(kRetryWait);
  }
  if (handle == INVALID_HANDLE_VALUE) {
    if (IsPassingLock(error)) rom_file_failure::Throw(RomFault::kBusy, path, access, SystemReason(error));
    rom_file_failure::Throw(OpenFault(error, path), path, access, SystemReason(error));
  }
  // A pipe or a device (CON, NUL, \\.\pipe\...) is no image, and a read
  // from a pipe could wait for ever.
  if (::GetFileType(handle) != FILE_TYPE_DISK) {
    ::CloseHandle(handle);
    rom_file_failure::Throw(RomFault::kNotRegular, path, access);
  }
  return reinterpret_cast<std::intptr_t>(handle);
}

// Under wine, file ids and times come from the host file system, which may
// keep no creation time; what wine gives in its place cannot be trusted to
// stay put, so there the creation time is left out of the identity.
bool UnderWine() {
  static const bool under_wine = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return under_wine;
}

OVERLAPPED At(std::uint32_t offset) {
  OVERLAPPED position{};
  position.Offset = offset;
  return position;
}

}  // namespace

bool RomFile::MayWrite(const std::filesystem::path& path) {
  const DWORD attributes = ::GetFileAttributesW(WindowsSystemPath(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) == 0;
}

RomFile RomFile::Open(const std::filesystem::path& path, FileAccess access) {
  RomFile file(OpenExisting(path, access), access, path);
  // What the file is, its length, which bounds every write, and which file
  // it is, all asked of the handle just opened. The standard information
  // leaves out the volume's serial number, which the identity asks for: so
  // it is asked once per byte, not twice, and under wine each time costs
  // about as much as the open.
  FILE_STANDARD_INFO standard{};
  if (!::GetFileInformationByHandleEx(AsHandle(file.handle_), FileStandardInfo, &standard, sizeof standard)) {
    file.Fail(RomFault::kCannotOpen, SystemReason(::GetLastError()));
  }
  if (standard.Directory) file.Fail(RomFault::kFolder);
  file.facts_.size = static_cast<std::uint64_t>(standard.EndOfFile.QuadPart);
  file.facts_.identity = file.WindowsIdentity(WindowsFileId::k128Bit);
  // A file id may be handed to a new file once the old one is gone (FAT and
  // ReFS keep no sequence number in it): the creation time tells them apart.
  FILE_BASIC_INFO basic{};
  if (!UnderWine() && ::GetFileInformationByHandleEx(AsHandle(file.handle_), FileBasicInfo, &basic, sizeof basic)) {
    file.facts_.identity.born = basic.CreationTime.QuadPart;
  }
  return file;
}

FileIdentity RomFile::WindowsIdentity(WindowsFileId kind) const {
  // The file index alone is not unique on ReFS (Windows 11's Dev Drive);
  // the 128-bit identifier is, where the file system gives one.
  FILE_ID_INFO id{};
  if (kind == WindowsFileId::k128Bit && ::GetFileInformationByHandleEx(AsHandle(handle_), FileIdInfo, &id, sizeof id)) {
    std::uint64_t halves[2];
    static_assert(sizeof halves == sizeof id.FileId.Identifier);
    std::memcpy(halves, id.FileId.Identifier, sizeof halves);
    return FileIdentity{id.VolumeSerialNumber, halves[0], halves[1]};
  }
  BY_HANDLE_FILE_INFORMATION information{};
  if (!::GetFileInformationByHandle(AsHandle(handle_), &information)) {
    Fail(RomFault::kCannotOpen, SystemReason(::GetLastError()));
  }
  return FileIdentity{information.dwVolumeSerialNumber,
                      (std::uint64_t{information.nFileIndexHigh} << 32) | information.nFileIndexLow, 0};
}

RomFile::~RomFile() {
  if (handle_ != kNoHandle) ::CloseHandle(AsHandle(handle_));
}

std::uint8_t RomFile::ReadByteAt(std::uint32_t offset) {
  unsigned char byte = 0;
  DWORD count = 0;
  OVERLAPPED position = At(offset);
  if (!::ReadFile(AsHandle(handle_), &byte, 1, &count, &position)) {
    const DWORD error = ::GetLastError();
    if (error != ERROR_HANDLE_EOF) Fail(RomFault::kReadFailed, SystemReason(error));
  }
  if (count == 0) FailOutside(offset);
  return byte;
}

std::uint64_t RomFile::SizeNow() {
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(AsHandle(handle_), &size)) Fail(RomFault::kReadFailed, SystemReason(::GetLastError()));
  return static_cast<std::uint64_t>(size.QuadPart);
}

void RomFile::WriteByteAt(std::uint32_t offset, std::uint8_t value) {
  // Writing at or past the end would extend the file; refuse instead. The
  // size now, not at the open: another program may have shortened it since.
  if (offset >= SizeNow()) FailOutside(offset);
  const unsigned char byte = value;
  DWORD count = 0;
  OVERLAPPED position = At(offset);
  if (!::WriteFile(AsHandle(handle_), &byte, 1, &count, &position)) {
    Fail(RomFault::kWriteFailed, SystemReason(::GetLastError()));
  }
  if (count != 1) Fail(RomFault::kWriteFailed);
  // Saved means on the storage, not in the system's cache.
  if (!::FlushFileBuffers(AsHandle(handle_))) {
    Fail(RomFault::kFlushFailed, SystemReason(::GetLastError()), offset);
  }
}

void RomFile::Close() {
  const HANDLE handle = AsHandle(std::exchange(handle_, kNoHandle));
  if (handle != INVALID_HANDLE_VALUE && !::CloseHandle(handle)) {
    Fail(RomFault::kCloseFailed, SystemReason(::GetLastError()));
  }
}

}  // namespace quorvane
