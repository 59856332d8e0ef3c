// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The door table and the platform's files beneath the editing session: where
// each record lies, what may serve as an image, that nothing but the
// addressed byte changes, that no file is created, truncated or extended,
// and that no handle outlives an access. The same cases run on Linux and,
// built with MinGW, under wine.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <map>

#include "rom/hex_text.h"
#include "rom/module1.h"
#include "rom/rom_file.h"
#include "rom/windows_path.h"
#include "synthetic_image.h"

#ifndef _WIN32
#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

// Saved means on the disk: the process's own pwrite, fdatasync and close
// calls, seen from beneath the platform file, show every byte written
// flushed before its file is closed. (Linux: the test program's own
// definitions of these calls come before the C library's.)
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

#endif

namespace quorvane {
namespace {

namespace fs = std::filesystem;

RomFailure failure;  // the last one FaultOf saw

// The fault an action fails with, or nullopt when it does not fail.
std::optional<RomFault> FaultOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const RomError& error) {
    failure = error.failure();
    return failure.fault;
  }
  return std::nullopt;
}

// A value's digits and bytes, most significant first, and what counts as a hexadecimal digit.
TEST(Codec, JoinsSplitsAndWritesValuesAsTheBoxesReadThem) {
  EXPECT_EQ(JoinBytes({0xC3, 0xA0, 0x5F}), 0xC3A05Fu);
  EXPECT_EQ(SplitBytes(0x0120, 2), (std::vector<std::uint8_t>{0x01, 0x20}));
  EXPECT_EQ(FormatValue(RecordValue::kPointer, 0xC3055F) + FormatValue(RecordValue::kX, 0x120), "C3055F0120");
  const std::map<std::string_view, bool> hex_texts = {{"0", true},  {"aF9", true},  {"", false},
                                                      {"g", false}, {"1 2", false}, {"\xD9\xA3", false}};
  for (const auto& [text, hex] : hex_texts) EXPECT_EQ(IsHexText(text), hex) << text;
}

TEST(DoorTable, PutsEachRunsEdgesWhereTheyLie) {
  Module1 module;
  module.EntryOffsets.Build();
  // Each run's first and last entry, and where their records start.
  const std::pair<std::int32_t, std::uint32_t> edges[] = {
      {1, 0xF0200},   {128, 0xF0775}, {129, 0xF07AC}, {132, 0xF07CD}, {133, 0xF07F8}, {136, 0xF0819}, {137, 0xF0848},
      {213, 0xF0B8C}, {214, 0xF0BB7}, {238, 0xF0CBF}, {239, 0xF0CD2}, {309, 0xF0FD4}, {310, 0xF0FE7}, {316, 0xF1029},
      {317, 0xF1058}, {330, 0xF10E7}, {331, 0xF10F6}, {412, 0xF1471}, {413, 0xF1480}, {439, 0xF159E}, {440, 0xF15AD},
      {620, 0xF1D69}, {621, 0xF1D80}, {622, 0xF1DA3}, {669, 0xF1FA8}, {670, 0xF1FD3}, {671, 0xF1FDE}, {672, 0xF1FF5},
      {702, 0xF213F}, {703, 0xF216C}, {736, 0xF22D7}, {737, 0xF22F7}, {758, 0xF23DE}, {759, 0xF2499}, {784, 0xF25AC},
      {785, 0xF25C3}, {828, 0xF279C}, {829, 0xF27BF}, {841, 0xF2843}};
  for (const auto& [entry, offset] : edges) EXPECT_EQ(module.LocateFieldByte(entry, 1), offset) << entry;
  for (std::int32_t entry : {0, 842}) {
    EXPECT_EQ(FaultOf([&] { module.LocateFieldByte(entry, 1); }), RomFault::kEntryOutOfRange) << entry;
  }
}

// Every case runs on an image whose name has spaces and non-ASCII letters.
class ByteAccess : public ::testing::Test {
 protected:
  ByteAccess() : image(testing::kFullImageSize, u8"Mein Spielstand \u2013 T\u00FCr 1.smc") {
    module.EntryOffsets.Build();
    module.RomPath = image.path();
    original = image.Bytes();
    // The first access and the first failure may each set up something of
    // the runtime's own that stays; count only after both.
    (void)module.ReadFieldByte(1, 1);
    (void)FaultOf([&] { module.ReadFieldByte(0, 1); });
    handles = testing::OpenHandleCount();
  }
  void TearDown() override {
    // GoogleTest's own report of a skip may hold handles of its own.
    EXPECT_TRUE(IsSkipped() || testing::OpenHandleCount() == handles) << "a handle outlived an access";
  }
  std::string Changed() const { return testing::Changes(original, image.Bytes()); }

  testing::SyntheticImage image;
  Module1 module;
  std::vector<std::uint8_t> original;
  std::size_t handles;
};

enum class Path { kMissing, kFolder, kDevice, kPipe, kReadOnly, kShort };
struct RefusalCase {
  const char* name;
  Path path;
  std::optional<RomFault> read, write;  // entry 1's first byte; entry 841's last byte
};
class Refusing : public ByteAccess, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(Refusing, WhatCannotServeAsAnImageIsNeverReadNorWrittenNorMade) {
  const RefusalCase& c = GetParam();
  if (c.path == Path::kMissing) module.RomPath = image.folder() / "deleted.smc";
  if (c.path == Path::kFolder) module.RomPath = image.folder();
#ifdef _WIN32
  if (c.path == Path::kPipe)
    GTEST_SKIP() << "Windows keeps its pipes out of the file system; the device case covers it";
  if (c.path == Path::kDevice) module.RomPath = "NUL";
#else
  if (c.path == Path::kDevice) module.RomPath = "/dev/zero";  // it would read as a byte 00 anywhere
  if (c.path == Path::kPipe) {                                // which must not hang the editor
    module.RomPath = image.folder() / "pipe.smc";
    ASSERT_EQ(::mkfifo(module.RomPath.c_str(), 0600), 0);
  }
#endif
  if (c.path == Path::kShort) fs::resize_file(image.path(), 0xF0205);
  if (c.path == Path::kReadOnly) {
    fs::permissions(image.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    if (std::ofstream(image.path(), std::ios::app)) GTEST_SKIP() << "this user may write to read-only files (root may)";
  }
  original = image.Bytes();
  EXPECT_EQ(FaultOf([&] { module.ReadFieldByte(c.path == Path::kShort ? 841 : 1, 1); }), c.read);
  EXPECT_EQ(FaultOf([&] { module.WriteFieldByte(841, 11, 0xAA); }), c.write);
  if (c.path == Path::kShort) {  // told by offset and size
    EXPECT_EQ(failure.offset, 0xF284DU);
    EXPECT_EQ(failure.size, 0xF0205U);
  }
  EXPECT_EQ(Changed(), "");
  EXPECT_TRUE(c.path != Path::kMissing || !fs::exists(module.RomPath));
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Refusing,
    ::testing::Values(RefusalCase{"Missing", Path::kMissing, RomFault::kMissing, RomFault::kMissing},
                      RefusalCase{"Folder", Path::kFolder, RomFault::kFolder, RomFault::kFolder},
                      RefusalCase{"Device", Path::kDevice, RomFault::kNotRegular, RomFault::kNotRegular},
                      RefusalCase{"Pipe", Path::kPipe, RomFault::kNotRegular, RomFault::kNotRegular},
                      RefusalCase{"ReadOnly", Path::kReadOnly, std::nullopt, RomFault::kCannotOpen},
                      RefusalCase{"TooShort", Path::kShort, RomFault::kOutsideFile, RomFault::kOutsideFile}),
    [](const ::testing::TestParamInfo<RefusalCase>& row) { return std::string(row.param.name); });

TEST_F(ByteAccess, AFileThatAnotherProgramHoldsOpenForWritingCanStillBeReadAndWritten) {
  std::fstream holder(image.path(), std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(holder.is_open());
  module.WriteFieldByte(2, 1, 0xC4);
  EXPECT_EQ(module.ReadFieldByte(2, 1), "C4");
  holder.close();
  EXPECT_EQ(Changed(), "F020B=C4");
}

TEST_F(ByteAccess, AnImageWhosePathIsLongerThan260CharactersOpensAndSaves) {
  const fs::path deep = image.folder() / std::string(140, 'a') / std::string(140, 'b') / "door.smc";
  fs::create_directories(deep.parent_path());
  fs::rename(image.path(), deep);
  module.RomPath = deep;
  const std::optional<RomFault> fault = FaultOf([&] { module.WriteFieldByte(5, 8, 0xAB); });
  const std::string shown = module.ReadFieldByte(5, 8);
  fs::rename(deep, image.path());
  EXPECT_EQ(fault, std::nullopt);
  EXPECT_EQ(shown + " " + Changed(), "AB F0233=AB");
#ifdef _WIN32
  // wine takes long paths in any form, so the form Windows needs is checked too.
  const std::wstring tail = std::wstring(240, L'f') + LR"(\)" + std::wstring(30, L'n');
  const std::pair<std::wstring, std::wstring> forms[] = {
      {L"NUL", L"NUL"},
      {LR"(C:\)" + tail, LR"(\\?\C:\)" + tail},
      {L"C:/./x/../" + tail, LR"(\\?\C:\)" + tail},
      {LR"(\\server\share\)" + tail, LR"(\\?\UNC\server\share\)" + tail}};
  for (const auto& [given, taken] : forms) EXPECT_TRUE(WindowsSystemPath(given) == taken) << given.size();
#endif
}

#ifndef _WIN32
TEST_F(ByteAccess, EveryByteWrittenIsOnTheDiskBeforeItsFileCloses) {
  tracing = true;
  module.WriteFieldByte(5, 8, 0xAB);
  tracing = false;
  EXPECT_EQ(trace, "pwrite fdatasync close ");
}
#endif

TEST_F(ByteAccess, AReplacedFileIsToldApartFromTheSameFileChanged) {
  const auto identities = [&] {
    const RomFile file = RomFile::Open(image.path(), FileAccess::kRead);
#ifdef _WIN32
    // Both ways Windows names a file, each on its own.
    return std::vector<FileIdentity>{file.WindowsIdentity(RomFile::WindowsFileId::k128Bit),
                                     file.WindowsIdentity(RomFile::WindowsFileId::kIndex)};
#else
    return std::vector<FileIdentity>{file.Examine().identity};
#endif
  };
  const std::vector<FileIdentity> first = identities();
  image.Poke(0xF0200, {0x01});
  EXPECT_EQ(identities(), first);
  const fs::path other = image.folder() / "other.smc";
  fs::copy_file(image.path(), other);
  fs::rename(other, image.path());  // as a tool that saves by renaming does
  const std::vector<FileIdentity> replaced = identities();
  for (std::size_t kind = 0; kind < first.size(); ++kind) EXPECT_NE(replaced[kind], first[kind]) << kind;
}

}  // namespace
}  // namespace quorvane
