// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <utility>

#include "rom/file_layer.h"

namespace quorvane::testing {

// The platform's files with a hand in between: before each open, and each
// read, it can play another program, or a file the system will not open or
// read (by throwing); and it can play a disk that takes the next byte
// written but fails to flush it.
class ScriptedFiles : public FileLayer {
 public:
  std::function<void(int open)> before_open;  // opens counted from 1
  std::function<void(int read)> before_read;  // reads counted from 1, in every file
  std::function<void()> before_write;
  int opens = 0;
  int reads = 0;
  bool fail_next_flush = false;

  std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) override {
    ++opens;
    if (before_open) before_open(opens);
    const bool unflushed = access == FileAccess::kWrite && std::exchange(fail_next_flush, false);
    return std::make_unique<ScriptedFile>(PlatformFiles().Open(path, access), *this, unflushed);
  }

 private:
  struct ScriptedFile : ImageFile {
    ScriptedFile(std::unique_ptr<ImageFile> file, ScriptedFiles& layer, bool no_flush)
        : real(std::move(file)), files(layer), unflushed(no_flush) {}
    const FileFacts& Examine() const override { return real->Examine(); }
    std::uint8_t ReadByteAt(std::uint32_t offset) override {
      if (files.before_read) files.before_read(++files.reads);
      return real->ReadByteAt(offset);
    }
    void WriteByteAt(std::uint32_t offset, std::uint8_t value) override {
      if (files.before_write) files.before_write();
      real->WriteByteAt(offset, value);
      if (unflushed)
        throw RomError({.fault = RomFault::kFlushFailed, .access = FileAccess::kWrite, .reason = "I/O error"});
    }
    void Close() override { real->Close(); }
    std::unique_ptr<ImageFile> real;
    ScriptedFiles& files;
    bool unflushed;
  };
};

}  // namespace quorvane::testing
