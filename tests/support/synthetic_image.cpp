// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "synthetic_image.h"

#include <cstdio>
#include <fstream>
#include <iterator>
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
  // Each small value a handle may take, asked about: GetProcessHandleCount
  // answers 0 under wine. Handles are given out from the lowest free value
  // upwards, so a process with a few hundred stays far below the limit.
  std::size_t count = 0;
  DWORD flags = 0;
  for (std::uintptr_t value = 4; value < 0x10000; value += 4)
    if (::GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) != 0) ++count;
  return count;
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
