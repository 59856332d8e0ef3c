// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "rom/file_layer.h"

namespace quorvane::testing {

// The platform's files with a hand in between: before each open it can play
// another program (or fail the open by throwing), and it can fail the next
// write, before the byte reaches the file (kWriteFailed) or after
// (kFlushFailed, a flush the disk refused).
class ScriptedFiles : public FileLayer {
 public:
  std::function<void(int open)> before_open;  // opens counted from 1
  std::optional<RomFault> fail_next_write;
  int opens = 0;

  std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) override {
    if (before_open) before_open(++opens);
    return std::make_unique<File>(PlatformFiles().Open(path, access), *this, path);
  }

 private:
  class File : public ImageFile {
   public:
    File(std::unique_ptr<ImageFile> real, ScriptedFiles& owner, std::filesystem::path path)
        : real_(std::move(real)), owner_(owner), path_(std::move(path)) {}
    const FileFacts& Examine() const override { return real_->Examine(); }
    std::uint8_t ReadByteAt(std::uint32_t offset) override { return real_->ReadByteAt(offset); }
    void WriteByteAt(std::uint32_t offset, std::uint8_t value) override {
      const std::optional<RomFault> fault = std::exchange(owner_.fail_next_write, std::nullopt);
      if (fault != RomFault::kWriteFailed) real_->WriteByteAt(offset, value);
      if (fault) throw RomError({.fault = *fault, .path = path_, .access = FileAccess::kWrite, .reason = "I/O error"});
    }
    void Close() override { real_->Close(); }

   private:
    std::unique_ptr<ImageFile> real_;
    ScriptedFiles& owner_;
    std::filesystem::path path_;
  };
};

}  // namespace quorvane::testing
