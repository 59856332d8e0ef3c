// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Saved means on the disk: the process's own pwrite, fdatasync and close
// calls, seen from beneath the platform file, show every byte written
// flushed before its file is closed. (Linux: the test program's own
// definitions of these calls come before the C library's.)
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>

#include "rom/module1.h"
#include "synthetic_image.h"

namespace {

bool tracing = false;
int written = -1;   // the descriptor a byte was written to
std::string trace;  // the calls on it: "pwrite fdatasync close "

// The C library's own call of that name.
template <typename Call>
Call Next(const char* name, Call) {
  return reinterpret_cast<Call>(::dlsym(RTLD_NEXT, name));
}

void Note(const std::string& call, int fd) {
  if (!tracing || (call != "pwrite" && fd != written)) return;
  written = fd;
  trace += call + " ";
}

}  // namespace

extern "C" ssize_t pwrite(int fd, const void* buffer, size_t count, off_t offset) {
  Note("pwrite", fd);
  return Next("pwrite", &pwrite)(fd, buffer, count, offset);
}
extern "C" int fdatasync(int fd) {
  Note("fdatasync", fd);
  return Next("fdatasync", &fdatasync)(fd);
}
extern "C" int close(int fd) {
  Note("close", fd);
  return Next("close", &close)(fd);
}

namespace quorvane {
namespace {

TEST(Flush, EveryByteWrittenIsOnTheDiskBeforeItsFileCloses) {
  testing::SyntheticImage image;
  Module1 module;
  module.EntryOffsets.Build();
  module.RomPath = image.path();
  tracing = true;
  module.WriteFieldByte(5, 8, 0xAB);
  tracing = false;
  EXPECT_EQ(trace, "pwrite fdatasync close ");
}

}  // namespace
}  // namespace quorvane
