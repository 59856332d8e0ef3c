// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/rom_error.h"

namespace quorvane {
namespace {

std::string Summary(const RomFailure& failure) {
  const std::u8string path = failure.path.u8string();
  return "door records core: fault " + std::to_string(static_cast<int>(failure.fault)) + " at \"" +
         std::string(path.begin(), path.end()) + "\": " + failure.reason;
}

}  // namespace

// what() is for developers' logs and test reports; users read the window's words.
RomError::RomError(RomFailure failure) : std::runtime_error(Summary(failure)), failure_(std::move(failure)) {}

}  // namespace quorvane
