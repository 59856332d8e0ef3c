#pragma once

#include <stdexcept>

namespace quorvane {

// Every failure of the door records core: an entry number out of range, an
// image that cannot be opened, a byte outside the file. The message is meant
// for the user and says in plain words what failed.
class RomError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The path of the image now names another file than the one whose bytes
// were shown: nothing was read from or written into that other file.
class ImageReplacedError : public RomError {
 public:
  using RomError::RomError;
};

}  // namespace quorvane
