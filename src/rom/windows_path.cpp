// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "rom/windows_path.h"

namespace quorvane {
namespace {

constexpr std::size_t kMaxPath = 260;
// A folder's path must leave room for an 8.3 name within MAX_PATH.
constexpr std::size_t kLongestPlainPath = kMaxPath - 12 - 1;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

}  // namespace

std::wstring WindowsSystemPath(const std::filesystem::path& path) {
  const std::wstring& given = path.native();
  if (given.size() <= kLongestPlainPath || given.starts_with(LR"(\\?\)")) return given;
  // A share, \\server\share\...: the runtime's path type does not know it
  // for absolute, so it is taken apart here.
  if (IsSeparator(given[0]) && IsSeparator(given[1])) {
    const std::filesystem::path on_share(given.substr(2));
    return LR"(\\?\UNC\)" + on_share.lexically_normal().make_preferred().native();
  }
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  if (error) return given;
  return LR"(\\?\)" + absolute.lexically_normal().make_preferred().native();
}

}  // namespace quorvane
