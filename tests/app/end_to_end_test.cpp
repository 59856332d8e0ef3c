// The built editor on a real X display, driven by keyboard alone as a user
// drives it: Ctrl+O and a path typed into the real file dialog, arrow keys in
// the list, Tab into the boxes, Ctrl+S, Ctrl+P. Results are read from the
// image file and from the clipboard.
#include <gtest/gtest.h>
#include <signal.h>

#include <iostream>
#include <memory>

#include "desktop_session.h"
#include "rom/entry_offsets.h"
#include "rom/hex_text.h"
#include "synthetic_image.h"

namespace quorvane::testing {
namespace {

DesktopSession* desktop = nullptr;

class DesktopEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    try {
      session_ = std::make_unique<DesktopSession>();
      desktop = session_.get();
    } catch (const std::exception& error) {
      FAIL() << "The end-to-end tests need an X display and could not start one: " << error.what();
    }
  }
  void TearDown() override {
    desktop = nullptr;
    session_.reset();
  }

 private:
  std::unique_ptr<DesktopSession> session_;
};

std::string Trimmed(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  return text;
}

// The built editor, started for one test and quit by Ctrl+Q at its end.
class Editor {
 public:
  Editor() {
    pid_ = StartProcess({QUORVANE_BINARY}, log_.path() / "stderr.txt");
    started_ = Eventually([&] { return !VisibleWindows("Quorvane").empty(); }, 30s);
    if (started_) {
      window_ = VisibleWindows("Quorvane").front();
      RunCommand({"xdotool", "windowactivate", "--sync", window_});
    }
  }
  ~Editor() {
    if (WaitForExit(pid_, 0ms) == -1) {
      ::kill(pid_, SIGKILL);
      WaitForExit(pid_, 5s);
    }
  }

  bool started() const { return started_; }

  // What the editor wrote to standard error: sanitizer reports, Qt warnings.
  std::string Log() const {
    const std::vector<std::uint8_t> bytes = ReadWholeFile(log_.path() / "stderr.txt");
    return std::string(bytes.begin(), bytes.end());
  }

  // After a dialog closes, the window manager gives the focus back to the
  // editor's window; keys sent before that would go nowhere.
  bool HasFocus() const { return Trimmed(RunCommand({"xdotool", "getactivewindow"}).output) == window_; }
  bool Active() const {
    return Eventually([&] { return HasFocus(); });
  }

  // Ctrl+O and the path chosen in the real dialog; then either the editor
  // has the focus again or it shows a message.
  bool OpenThroughDialog(const std::filesystem::path& path) {
    PressKeys({"ctrl+o"});
    return ChooseInOpenDialog(path) &&
           Eventually([&] { return VisibleWindows("Quorvane").size() == 2 || HasFocus(); });
  }

  // Ctrl+P, then what the clipboard holds once it holds `expected` (or
  // whatever it holds when time runs out).
  std::string CopyPointer(const std::string& expected) {
    // Empty the clipboard first, so that an old text cannot pass for the new.
    // xclip stays behind to serve the empty text until the editor takes over.
    WaitForExit(StartProcess({"xclip", "-selection", "clipboard", "-i", "/dev/null"}), 5s);
    PressKeys({"ctrl+p"});
    std::string held;
    Eventually([&] {
      held = Trimmed(RunCommand({"xclip", "-o", "-selection", "clipboard"}, 3s).output);
      return held == expected;
    });
    return held;
  }

  // A message box over the window (its text is checked by the window's own
  // tests), closed with Enter. Tells whether one was shown and went away.
  bool DismissMessage() {
    if (!Eventually([] { return VisibleWindows("Quorvane").size() == 2; })) return false;
    PressKeys({"Return"});
    return Eventually([] { return VisibleWindows("Quorvane").size() == 1; }) && Active();
  }

  // Quits by Ctrl+Q and tells how the program ended.
  int Quit() {
    PressKeys({"ctrl+q"});
    return WaitForExit(pid_, 20s);
  }

 private:
  TemporaryFolder log_;
  pid_t pid_;
  bool started_ = false;
  std::string window_;
};

std::string PointerOf(const std::vector<std::uint8_t>& bytes, std::int32_t entry) {
  EntryOffsetTable table;
  table.Build();
  const std::uint32_t offset = *ParseHexNumber(table(entry));
  return FormatByteText(bytes[offset + 2]) + FormatByteText(bytes[offset + 1]) + FormatByteText(bytes[offset]);
}

class EndToEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(desktop, nullptr) << "no X display";
    image.Poke(0xF0200, {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0x09});
    original = image.Bytes();
    ASSERT_TRUE(editor.started()) << "the editor's window did not appear:\n" << editor.Log();
  }
  void TearDown() override {
    if (HasFailure()) std::cerr << "The editor's standard error:\n" << editor.Log() << '\n';
  }

  SyntheticImage image{kMinimumImageSize, "door image.smc"};
  std::vector<std::uint8_t> original;
  Editor editor;
};

TEST_F(EndToEndTest, OpenShowsEntryOneAndTheArrowKeysWalkTheList) {
  ASSERT_TRUE(editor.OpenThroughDialog(image.path()));
  EXPECT_EQ(editor.CopyPointer("C3A05F"), "C3A05F");
  PressKeys({"Down"});
  EXPECT_EQ(editor.CopyPointer(PointerOf(original, 2)), PointerOf(original, 2));
  PressKeys({"Down", "Down"});
  EXPECT_EQ(editor.CopyPointer(PointerOf(original, 4)), PointerOf(original, 4));
  PressKeys({"End"});
  EXPECT_EQ(editor.CopyPointer(PointerOf(original, 841)), PointerOf(original, 841));
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_EQ(image.Bytes(), original);
}

TEST_F(EndToEndTest, TypedBytesAndASixDigitPointerAreSavedExactly) {
  ASSERT_TRUE(editor.OpenThroughDialog(image.path()));
  // From the list, Tab reaches Style, then Y low, Y high, and round to the pointer.
  PressKeys({"Tab"});
  TypeText("5");
  PressKeys({"Tab", "Tab", "Tab"});
  TypeText("7e0a1b");
  EXPECT_EQ(editor.CopyPointer("7E0A1B"), "7E0A1B");
  PressKeys({"ctrl+s"});
  std::vector<std::uint8_t> expected = original;
  expected[0xF0200] = 0x1B;
  expected[0xF0201] = 0x0A;
  expected[0xF0202] = 0x7E;
  expected[0xF020A] = 0x05;
  EXPECT_TRUE(Eventually([&] { return image.Bytes() == expected; }));
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_EQ(image.Bytes(), expected);
}

TEST_F(EndToEndTest, ABoxThatHoldsNoByteIsRefusedAndNothingIsWritten) {
  ASSERT_TRUE(editor.OpenThroughDialog(image.path()));
  PressKeys({"Tab"});
  TypeText("zz");
  PressKeys({"ctrl+s"});
  EXPECT_TRUE(editor.DismissMessage());
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_EQ(image.Bytes(), original);
}

TEST_F(EndToEndTest, ATooShortFileIsRefusedAndTheOpenImageStays) {
  ASSERT_TRUE(editor.OpenThroughDialog(image.path()));
  SyntheticImage too_short(0xF0000, "short.smc");
  ASSERT_TRUE(editor.OpenThroughDialog(too_short.path()));
  EXPECT_TRUE(editor.DismissMessage());
  EXPECT_EQ(editor.CopyPointer("C3A05F"), "C3A05F");
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_EQ(image.Bytes(), original);
}

TEST_F(EndToEndTest, ACancelledDialogChangesNothing) {
  ASSERT_TRUE(editor.OpenThroughDialog(image.path()));
  PressKeys({"Down"});
  PressKeys({"ctrl+o"});
  ASSERT_TRUE(Eventually([] { return !VisibleWindows("Open ROM").empty(); }));
  PressKeys({"Escape"});
  ASSERT_TRUE(Eventually([] { return VisibleWindows("Open ROM").empty(); }));
  ASSERT_TRUE(editor.Active());
  EXPECT_EQ(editor.CopyPointer(PointerOf(original, 2)), PointerOf(original, 2));
  EXPECT_EQ(editor.Quit(), 0);
  EXPECT_EQ(image.Bytes(), original);
}

}  // namespace
}  // namespace quorvane::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new quorvane::testing::DesktopEnvironment);
  return RUN_ALL_TESTS();
}
