// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvane::testing {

// The size of the smallest image that holds every record: the last record
// ends at F284D.
inline constexpr std::uint64_t kFullImageSize = 0xF284E;

// A made-up image alone in a fresh temporary folder, filled with a fixed
// pseudo-random pattern so that most bytes differ from their
// neighbours. The folder goes when the object does.
class SyntheticImage {
 public:
  explicit SyntheticImage(std::uint64_t size = kFullImageSize, const std::filesystem::path& name = "image.smc");
  ~SyntheticImage();
  SyntheticImage(const SyntheticImage&) = delete;
  SyntheticImage& operator=(const SyntheticImage&) = delete;

  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_; }
  std::vector<std::uint8_t> Bytes() const;
  void Poke(std::uint32_t offset, const std::vector<std::uint8_t>& bytes) const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

// How `after` differs from `before`, in hexadecimal: "F0233=AB F0234=00"
// for changed bytes, "length F284E->F284F" first if the length changed, and
// the empty text when nothing did.
std::string Changes(const std::vector<std::uint8_t>& before, const std::vector<std::uint8_t>& after);

// Whether the file system keeps the file's birth (creation) time, asked of
// the system itself.
bool KeepsBirthTime(const std::filesystem::path& path);

// How many files, pipes and other handles the process holds open.
std::size_t OpenHandleCount();

}  // namespace quorvane::testing
