#include "synthetic_image.h"

#include <cstdio>
#include <fstream>
#include <random>
#include <stdexcept>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#endif

namespace quorvane::testing {

TemporaryFolder::TemporaryFolder() {
  std::random_device seed;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path_ = std::filesystem::temp_directory_path() / ("quorvane-test-" + std::to_string(seed()));
    if (std::filesystem::create_directory(path_)) return;
  }
  throw std::runtime_error("cannot make a temporary folder");
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  // A test may have made files read-only; give the rights back first.
  for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored)) {
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
  }
  std::filesystem::remove_all(path_, ignored);
}

SyntheticImage::SyntheticImage(std::uint64_t size, const std::filesystem::path& name)
    : path_(folder_.path() / name) {
  WriteWholeFile(path_, Pattern(size));
}

std::vector<std::uint8_t> SyntheticImage::Bytes() const { return ReadWholeFile(path_); }

void SyntheticImage::Poke(std::uint32_t offset, const std::vector<std::uint8_t>& bytes) const {
  std::fstream file(path_, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(offset);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot poke " + path_.string());
}

std::vector<std::uint8_t> Pattern(std::uint64_t size) {
  std::vector<std::uint8_t> bytes(size);
  std::uint32_t state = 0x2545F491u;
  for (auto& byte : bytes) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    byte = static_cast<std::uint8_t>(state >> 24);
  }
  return bytes;
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
  char item[40];
  std::string changes;
  if (before.size() != after.size()) {
    std::snprintf(item, sizeof item, "length %zX->%zX", before.size(), after.size());
    changes = item;
  }
  int listed = 0;
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    if (before[i] == after[i]) continue;
    if (++listed > 12) return changes + " ...";
    std::snprintf(item, sizeof item, "%s%zX=%02X", changes.empty() ? "" : " ", i, after[i]);
    changes += item;
  }
  return changes;
}

#ifdef _WIN32
std::size_t OpenHandleCount() {
  // GetProcessHandleCount answers 0 under wine; the system's handle table is
  // counted the same way on both.
  struct Entry {
    USHORT process;
    USHORT creator_back_trace;
    UCHAR object_type;
    UCHAR attributes;
    USHORT handle;
    PVOID object;
    ULONG access;
  };
  struct Table {
    ULONG count;
    Entry entries[1];
  };
  using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
  constexpr ULONG kSystemHandleInformation = 16;
  constexpr LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);
  std::vector<char> buffer(1 << 20);
  LONG status;
  while ((status = query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), nullptr)) ==
         kInfoLengthMismatch) {
    buffer.resize(buffer.size() * 2);
  }
  if (status != 0) throw std::runtime_error("cannot count handles");
  const auto* table = reinterpret_cast<const Table*>(buffer.data());
  const auto self = static_cast<USHORT>(::GetCurrentProcessId());
  std::size_t count = 0;
  for (ULONG i = 0; i < table->count; ++i) count += table->entries[i].process == self ? 1 : 0;
  return count;
}
#else
std::size_t OpenHandleCount() {
  return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                                                std::filesystem::directory_iterator()));
}
#endif

}  // namespace quorvane::testing
