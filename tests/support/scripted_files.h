// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <memory>

#include "rom/file_layer.h"

namespace quorvane::testing {

// The platform's files with a hand in between: before each open it can play
// another program, or a file the system will not open (by throwing).
class ScriptedFiles : public FileLayer {
 public:
  std::function<void(int open)> before_open;  // opens counted from 1
  int opens = 0;

  std::unique_ptr<ImageFile> Open(const std::filesystem::path& path, FileAccess access) override {
    if (before_open) before_open(++opens);
    return PlatformFiles().Open(path, access);
  }
};

}  // namespace quorvane::testing
