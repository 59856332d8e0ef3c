// The door records core against the image file itself: what a write stores
// and shows, that nothing but the addressed byte changes, that no file is
// created, truncated or extended, and that no handle outlives an access.
// The same cases run on Linux and, built with MinGW, under wine.
#include <gtest/gtest.h>

#include <fstream>
#include <functional>

#include "fake_field_box.h"
#include "rom/image_check.h"
#include "rom/module1.h"
#include "rom/rom_file.h"
#include "rom/windows_path.h"
#include "synthetic_image.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace quorvane {
namespace {

using testing::FakeFieldBox;

std::string FailureOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const std::exception& error) {
    return error.what();
  }
  return "(no failure)";
}

// Every case runs on an image whose name has spaces and non-ASCII letters.
class ByteAccess : public ::testing::Test {
 protected:
  ByteAccess() : image(testing::kFullImageSize, u8"Mein Spielstand \u2013 T\u00FCr 1.smc") {
    module.EntryOffsets.Build();
    module.RomPath = image.path();
    image.Poke(0xF0233, {0x5A});  // entry 5, field position 8
    original = image.Bytes();
    // The first access and the first failure may each set up something of
    // the runtime's own that stays; count only after both.
    (void)module.ReadFieldByte(1, 1);
    (void)FailureOf([&] { module.ReadFieldByte(0, 1); });
    handles = testing::OpenHandleCount();
  }
  void TearDown() override {
    // GoogleTest's own report of a skip may hold handles of its own.
    EXPECT_TRUE(IsSkipped() || testing::OpenHandleCount() == handles) << "a handle outlived an access";
  }
  std::string Changed() const { return testing::Changes(original, image.Bytes()); }
  // What reading and writing entry 1's first byte say when they fail.
  std::string ReadFailure() {
    return FailureOf([&] { module.ReadFieldByte(1, 1); });
  }
  std::string WriteFailure(FakeFieldBox& box) {
    return FailureOf([&] { module.WriteFieldByte(1, box, 1); });
  }

  testing::SyntheticImage image;
  Module1 module;
  std::vector<std::uint8_t> original;
  std::size_t handles;
};

struct WriteCase {
  const char* typed;
  const char* changes;  // how the image then differs
  const char* shown;    // the box's text afterwards
};
class WriteFromBox : public ByteAccess, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteFromBox, StoresWhatTheTextStandsForAndShowsTheFileAgain) {
  FakeFieldBox box(GetParam().typed);
  const std::string failure = FailureOf([&] { module.WriteFieldByte(5, box, 8); });
  EXPECT_EQ(Changed(), GetParam().changes);
  EXPECT_EQ(box.Text(), GetParam().shown);
  EXPECT_EQ(failure == "(no failure)", *GetParam().changes != '\0') << failure;
}

INSTANTIATE_TEST_SUITE_P(Texts, WriteFromBox,
                         ::testing::Values(WriteCase{"ab", "F0233=AB", "AB"}, WriteCase{"5", "F0233=05", "05"},
                                           WriteCase{"1G", "F0233=01", "01"}, WriteCase{"G1", "F0233=00", "00"},
                                           WriteCase{"", "F0233=00", "00"}, WriteCase{" 7", "F0233=07", "07"},
                                           WriteCase{"\tF\n0", "F0233=F0", "F0"},
                                           // An Arabic-Indic three is a digit elsewhere, not here.
                                           WriteCase{"\xD9\xA3", "F0233=00", "00"},
                                           // More than one byte is refused, not cut short.
                                           WriteCase{"1FF", "", "1FF"}));

TEST_F(ByteAccess, AnEntryOutOfRangeFailsBeforeTheFileIsOpened) {
  std::filesystem::remove(image.path());  // opening it would fail otherwise
  FakeFieldBox box("12");
  for (std::int32_t entry : {0, 842}) {
    EXPECT_NE(FailureOf([&] { module.ReadFieldByte(entry, 1); }).find("out of range"), std::string::npos);
    EXPECT_NE(FailureOf([&] { module.WriteFieldByte(entry, box, 1); }).find("out of range"), std::string::npos);
  }
  EXPECT_EQ(box.Text(), "12");
}

TEST_F(ByteAccess, AMissingFileIsNeverCreatedAndAFolderIsNoImage) {
  FakeFieldBox box("12");
  module.RomPath = image.folder() / "deleted.smc";
  EXPECT_NE(WriteFailure(box).find("deleted.smc\" for writing"), std::string::npos);
  EXPECT_NE(ReadFailure().find("deleted.smc\" for reading"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(module.RomPath));
  module.RomPath = image.folder();
  EXPECT_NE(WriteFailure(box).find("folder"), std::string::npos);
  EXPECT_NE(ReadFailure().find("folder"), std::string::npos);
  EXPECT_EQ(box.Text(), "12");
}

TEST_F(ByteAccess, ADeviceIsNoImage) {
#ifdef _WIN32
  module.RomPath = "NUL";
#else
  module.RomPath = "/dev/zero";  // it would read as a byte 00 anywhere
#endif
  EXPECT_NE(ReadFailure().find("not a regular file"), std::string::npos) << ReadFailure();
}

TEST_F(ByteAccess, APipeIsNoImageAndDoesNotHangTheEditor) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows keeps its pipes out of the file system; the device case covers it";
#else
  module.RomPath = image.folder() / "pipe.smc";
  ASSERT_EQ(::mkfifo(module.RomPath.c_str(), 0600), 0);
  EXPECT_NE(ReadFailure().find("not a regular file"), std::string::npos) << ReadFailure();
#endif
}

TEST_F(ByteAccess, BytesAtOrPastTheEndAreRefusedAndTheFileNeverGrows) {
  std::filesystem::resize_file(image.path(), 0xF0205);
  original = image.Bytes();
  FakeFieldBox box("AA");
  EXPECT_NO_THROW(module.ReadFieldByte(1, 5));
  const std::string failure = FailureOf([&] { module.ReadFieldByte(1, 6); });
  EXPECT_NE(failure.find("offset F0205 lies outside"), std::string::npos) << failure;
  EXPECT_NE(failure.find("only 983557 bytes long"), std::string::npos) << failure;
  EXPECT_NE(FailureOf([&] { module.WriteFieldByte(1, box, 6); }), "(no failure)");
  EXPECT_NE(FailureOf([&] { module.WriteFieldByte(841, box, 11); }), "(no failure)");
  EXPECT_EQ(Changed(), "");
  EXPECT_EQ(box.Text(), "AA");
}

TEST_F(ByteAccess, AReadOnlyImageRefusesAWriteAndStaysAsItWas) {
  namespace fs = std::filesystem;
  fs::permissions(image.path(), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
  if (std::ofstream(image.path(), std::ios::app)) {
    GTEST_SKIP() << "this user may write to read-only files (root may)";
  }
  FakeFieldBox box("12");
  EXPECT_NE(WriteFailure(box).find("T\xC3\xBCr 1.smc\" for writing"), std::string::npos) << WriteFailure(box);
  EXPECT_EQ(Changed(), "");
  EXPECT_EQ(box.Text(), "12");
}

TEST_F(ByteAccess, AFileThatAnotherProgramHoldsOpenForWritingCanStillBeReadAndWritten) {
  std::fstream holder(image.path(), std::ios::in | std::ios::out | std::ios::binary);
  ASSERT_TRUE(holder.is_open());
  FakeFieldBox box("c4");
  module.WriteFieldByte(2, box, 1);
  EXPECT_EQ(module.ReadFieldByte(2, 1), "C4");
  holder.close();
  EXPECT_EQ(Changed(), "F020B=C4");
}

TEST_F(ByteAccess, AnImageWhosePathIsLongerThan260CharactersOpensAndSaves) {
  const std::filesystem::path deep = image.folder() / std::string(140, 'a') / std::string(140, 'b') / "door.smc";
  std::filesystem::create_directories(deep.parent_path());
  std::filesystem::rename(image.path(), deep);
  module.RomPath = deep;
  FakeFieldBox box("ab");
  const std::string failure = FailureOf([&] { module.WriteFieldByte(5, box, 8); });
  std::filesystem::rename(deep, image.path());
  EXPECT_EQ(failure + " " + box.Text() + " " + Changed(), "(no failure) AB F0233=AB");
#ifdef _WIN32
  // wine takes long paths in any form, so the form Windows needs is checked too.
  const std::wstring tail = std::wstring(240, L'f') + LR"(\)" + std::wstring(30, L'n');
  const std::pair<std::wstring, std::wstring> forms[] = {
      {L"NUL", L"NUL"},
      {LR"(C:\)" + tail, LR"(\\?\C:\)" + tail},
      {L"C:/./x/../" + tail, LR"(\\?\C:\)" + tail},
      {LR"(\\server\share\)" + tail, LR"(\\?\UNC\server\share\)" + tail},
  };
  for (const auto& [given, taken] : forms) EXPECT_TRUE(WindowsSystemPath(given) == taken) << given.size();
#endif
}

TEST_F(ByteAccess, EveryByteWrittenIsOnTheStorageBeforeItsFileCloses) {
  std::vector<FileStep> steps;
  WatchFileSteps([&](FileStep step, const std::filesystem::path&) { steps.push_back(step); });
  FakeFieldBox box("12");
  module.WriteFieldByte(5, box, 8);
  WatchFileSteps(nullptr);
  // The write's open, the byte, its flush; then the refresh's open.
  EXPECT_EQ(steps,
            (std::vector<FileStep>{FileStep::kOpening, FileStep::kWritten, FileStep::kFlushed, FileStep::kOpening}));
}

TEST_F(ByteAccess, AReplacedFileIsToldApartFromTheSameFileChanged) {
  const auto identities = [&] {
    const RomFile file = RomFile::OpenForReading(image.path());
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
  const std::filesystem::path other = image.folder() / "other.smc";
  std::filesystem::copy_file(image.path(), other);
  std::filesystem::rename(other, image.path());  // as a tool that saves by renaming does
  const std::vector<FileIdentity> replaced = identities();
  for (std::size_t kind = 0; kind < first.size(); ++kind) EXPECT_NE(replaced[kind], first[kind]) << kind;
}

}  // namespace
}  // namespace quorvane
