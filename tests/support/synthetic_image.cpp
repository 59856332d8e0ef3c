// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthetic_image.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace quorvane::testing {
namespace {

std::vector<std::uint8_t> Pattern(std::uint64_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::minstd_rand numbers(20261207);
  for (auto& byte : bytes) byte = static_cast<std::uint8_t>(numbers() >> 8);
  return bytes;
}

}  // namespace

SyntheticImage::SyntheticImage(std::uint64_t size, const std::filesystem::path& name) {
  std::random_device seed;
  do {
    folder_ = std::filesystem::temp_directory_path() / ("quorvane-test-" + std::to_string(seed()));
  } while (!std::filesystem::create_directory(folder_));
  path_ = folder_ / name;
  WriteWholeFile(path_, Pattern(size));
}

SyntheticImage::~SyntheticImage() {
  std::error_code ignored;
  // A test may have made a file read-only, which Windows will not remove.
  for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
  }
  std::filesystem::remove_all(folder_, ignored);
}

std::vector<std::uint8_t> SyntheticImage::Bytes() const { return ReadWholeFile(path_); }

void SyntheticImage::Poke(std::uint32_t offset, const std::vector<std::uint8_t>& bytes) const {
  std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(offset);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot poke " + path_.string());
}

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(std::filesystem::file_size(path));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

std::string Changes(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after) {
  char item[40] = "";
  if (before.size() != after.size()) std::snprintf(item, sizeof item, "length %zX->%zX", before.size(), after.size());
  std::string changes = item;
  for (std::size_t i = 0, listed = 0; i < before.size() && i < after.size() && listed < 12; ++i) {
    if (before[i] == after[i]) continue;
    std::snprintf(item, sizeof item, "%s%zX=%02X", changes.empty() ? "" : " ", i, after[i]);
    changes += item;
    ++listed;
  }
  return changes;
}

#ifdef _WIN32
bool KeepsBirthTime(const std::filesystem::path&) {
  // Windows' file systems keep creation times; under wine they come from a
  // host file system that may keep none, and wine makes one up.
  return ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version") == nullptr;
}

std::size_t OpenHandleCount() {
  // GetProcessHandleCount answers 0 under wine; the system's handle table
  // (SystemHandleInformation, 16) holds the truth on both.
  struct Entry {
    USHORT process, creator;
    UCHAR type, attributes;
    USHORT handle;
    PVOID object;
    ULONG access;
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  std::vector<ULONG_PTR> table(1 << 16);
  LONG status;
  while ((status = query(16, table.data(), static_cast<ULONG>(table.size() * sizeof(ULONG_PTR)), nullptr)) ==
         static_cast<LONG>(0xC0000004)) {  // too small
    table.resize(table.size() * 2);
  }
  if (status != 0) throw std::runtime_error("cannot count handles");
  const auto* entries = reinterpret_cast<const Entry*>(table.data() + 1);  // after the count
  const auto self = static_cast<USHORT>(::GetCurrentProcessId());
  return static_cast<std::size_t>(std::count_if(entries, entries + static_cast<ULONG>(table[0]),
                                                [&](const Entry& entry) { return entry.process == self; }));
}
#else
bool KeepsBirthTime(const std::filesystem::path& path) {
#ifdef __linux__
  struct statx status {};
  return ::statx(AT_FDCWD, path.c_str(), 0, STATX_BTIME, &status) == 0 && (status.stx_mask & STATX_BTIME) != 0;
#else
  (void)path;
  return false;
#endif
}

std::size_t OpenHandleCount() {
  return static_cast<std::size_t>(
      std::distance(std::filesystem::directory_iterator("/proc/self/fd"), std::filesystem::directory_iterator()));
}
#endif

}  // namespace quorvane::testing
