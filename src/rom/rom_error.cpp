// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/rom_error.h"

namespace quorvane {
namespace {

std::string Summary(const RomFailure& failure) {
  const std::u8string path = failure.path.u8string();
  return "door records core: " + std::string(FaultName(failure.fault)) + " at \"" +
         std::string(path.begin(), path.end()) + "\": " + failure.reason;
}

}  // namespace

std::string_view FaultName(RomFault fault) {
  switch (fault) {
    case RomFault::kNoImage:
      return "no image";
    case RomFault::kEntryOutOfRange:
      return "out of range";
    case RomFault::kTableNotBuilt:
      return "no table";
    case RomFault::kMissing:
      return "missing";
    case RomFault::kFolder:
      return "folder";
    case RomFault::kNotRegular:
      return "not regular";
    case RomFault::kBusy:
      return "busy";
    case RomFault::kCannotOpen:
      return "cannot open";
    case RomFault::kTooShort:
      return "too short";
    case RomFault::kBecameTooShort:
      return "became short";
    case RomFault::kReplaced:
      return "replaced";
    case RomFault::kReplacedHeaderless:
      return "replaced, no header";
    case RomFault::kOutsideFile:
      return "outside";
    case RomFault::kReadFailed:
      return "read failed";
    case RomFault::kWriteFailed:
      return "write failed";
    case RomFault::kFlushFailed:
      return "flush failed";
    case RomFault::kCloseFailed:
      return "close failed";
  }
  return "unknown fault";
}

// what() is for developers' logs and test reports; users read the window's words.
RomError::RomError(RomFailure failure) : std::runtime_error(Summary(failure)), failure_(std::move(failure)) {}

}  // namespace quorvane
