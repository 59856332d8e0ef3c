#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "rom/entry_offsets.h"

namespace quorvane::testing {

// A fresh empty temporary folder, removed with the object.
class TemporaryFolder {
 public:
  TemporaryFolder();
  ~TemporaryFolder();
  TemporaryFolder(const TemporaryFolder&) = delete;
  TemporaryFolder& operator=(const TemporaryFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// A made-up image in a fresh temporary folder, filled with a fixed
// pseudo-random pattern so that every byte is known and most differ from
// their neighbours. The folder goes when the object does.
class SyntheticImage {
 public:
  explicit SyntheticImage(std::uint64_t size = kMinimumImageSize,
                          const std::string& name = "image.smc");

  const std::filesystem::path& path() const { return path_; }
  const std::filesystem::path& folder() const { return folder_.path(); }

  std::vector<std::uint8_t> Bytes() const;
  void Poke(std::uint32_t offset, const std::vector<std::uint8_t>& bytes) const;

  // The content a fresh image of this size starts with.
  static std::vector<std::uint8_t> Pattern(std::uint64_t size);

 private:
  TemporaryFolder folder_;
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path);
std::vector<std::uint8_t> ReadFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                        std::uint64_t count);
void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes);

}  // namespace quorvane::testing
