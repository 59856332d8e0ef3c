// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "rom/file_layer.h"

namespace quorvane::testing {

// The platform's files with a hand in between: before each open it can play
// another program, or a file the system will not open (by throwing); and it
// can play a disk that takes the next byte written but fails to flush it.
class ScriptedFiles : public FileLayer {
 public:
  std::function<void(int open)> before_open;  // opens counted from 1
  int opens = 0;
  bool fail_next_flush = false;

  std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) override {
    if (before_open) before_open(++opens);
    std::unique_ptr<ImageFile> file = PlatformFiles().Open(path, access);
    if (access != FileAccess::kWrite || !std::exchange(fail_next_flush, false)) return file;
    return std::make_unique<UnflushedFile>(std::move(file), path);
  }

 private:
  struct UnflushedFile : ImageFile {
    UnflushedFile(std::unique_ptr<ImageFile> file, std::filesystem::path at)
        : real(std::move(file)), path(std::move(at)) {}
    const FileFacts& Examine() const override { return real->Examine(); }
    std::uint8_t ReadByteAt(std::uint32_t offset) override { return real->ReadByteAt(offset); }
    void WriteByteAt(std::uint32_t offset, std::uint8_t value) override {
      real->WriteByteAt(offset, value);
      throw RomError(
          {.fault = RomFault::kFlushFailed, .path = path, .access = FileAccess::kWrite, .reason = "I/O error"});
    }
    void Close() override { real->Close(); }
    std::unique_ptr<ImageFile> real;
    std::filesystem::path path;
  };
};

}  // namespace quorvane::testing
