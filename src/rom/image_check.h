#pragma once

#include <cstdint>
#include <filesystem>

namespace quorvane {

// Which file a path named when it was checked. Two checks that give
// different identities saw two different files: the image was replaced
// (deleted and made anew, or another file renamed over it) in between.
struct ImageIdentity {
  std::uint64_t device;
  std::uint64_t inode;
  friend bool operator==(const ImageIdentity&, const ImageIdentity&) = default;
};

// Checks that a file can serve as an image: it opens for reading, is a
// regular file, and is long enough to hold every record. Throws RomError
// saying why not.
ImageIdentity CheckImage(const std::filesystem::path& path);

}  // namespace quorvane
