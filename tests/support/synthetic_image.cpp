#include "synthetic_image.h"

#include <stdlib.h>

#include <fstream>
#include <stdexcept>
#include <system_error>

namespace quorvane::testing {

TemporaryFolder::TemporaryFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quorvane-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a temporary folder");
  path_ = pattern;
}

TemporaryFolder::~TemporaryFolder() {
  std::error_code ignored;
  // A test may have taken write or search rights away; give them back first.
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

SyntheticImage::SyntheticImage(std::uint64_t size, const std::string& name)
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

std::vector<std::uint8_t> SyntheticImage::Pattern(std::uint64_t size) {
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
  return ReadFileRange(path, 0, std::filesystem::file_size(path));
}

std::vector<std::uint8_t> ReadFileRange(const std::filesystem::path& path, std::uint64_t offset,
                                        std::uint64_t count) {
  std::ifstream file(path, std::ios::binary);
  std::vector<std::uint8_t> bytes(count);
  file.seekg(static_cast<std::streamoff>(offset));
  file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(count));
  if (!file) throw std::runtime_error("cannot read " + path.string());
  return bytes;
}

void WriteWholeFile(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!file) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace quorvane::testing
