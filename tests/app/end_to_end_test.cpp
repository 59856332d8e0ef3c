// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The built editor on a real X display, driven by keyboard alone as a user
// drives it: Ctrl+O and a path typed into the real file dialog, Tab into the
// pointer boxes, Ctrl+P, Ctrl+S, and Ctrl+Q answered in the real question
// box. Results are read from the image file and from the clipboard.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "desktop_session.h"
#include "synthetic_image.h"

namespace quorvane {
namespace {

using namespace desktop;

std::string Clipboard() { return RunCommand({"xclip", "-o", "-selection", "clipboard"}, 3s).output; }

// The Windows program under wine when QUORVANE_WINDOWS_PROGRAM names it:
// its file dialog is Windows' own and takes paths in Windows' form (Z: is /).
const char* const kWindowsProgram = std::getenv("QUORVANE_WINDOWS_PROGRAM");
const bool kUnderWine = kWindowsProgram != nullptr && *kWindowsProgram != '\0';
// There, too, a program that asks the editor whether the session may end,
// as Windows does at log-off: its exit status is the answer, 1 for yes.
const char* const kEndSession = std::getenv("QUORVANE_END_SESSION");
// The editor's windows by their title, "Quorvane*" while an edit is unsaved.
const std::string kTitle = "Quorvane\\*?";

TEST(EndToEnd, APointerTypedInOneGoIsCopiedSavedAndAnUnsavedEditIsAskedAbout) {
  std::unique_ptr<DesktopSession> session;
  try {
    session = std::make_unique<DesktopSession>();
  } catch (const std::exception& error) {
    FAIL() << "The end-to-end test needs an X display and could not start one: " << error.what();
  }
  testing::SyntheticImage image(testing::kFullImageSize, "T\u00FCr f\u00FCnf.smc");
  image.Poke(0xF0200, {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0x09});
  const std::vector<std::uint8_t> original = image.Bytes();
  std::string typed = image.path().string();
  if (kUnderWine) typed = "Z:" + typed;
  if (kUnderWine) std::replace(typed.begin(), typed.end(), '/', '\\');
  const std::vector<std::string> command = kUnderWine
                                               ? std::vector<std::string>{"/usr/lib/wine/wine64", kWindowsProgram}
                                               : std::vector<std::string>{QUORVANE_BINARY};
  const pid_t editor = StartProcess(command, image.folder() / "stderr.txt");
  const auto log = [&] {
    const std::vector<std::uint8_t> bytes = testing::ReadWholeFile(image.folder() / "stderr.txt");
    return "The editor's standard error:\n" + std::string(bytes.begin(), bytes.end());
  };
  ASSERT_TRUE(Eventually([] { return VisibleWindows(kTitle).size() == 1; }, 60s)) << log();
  const std::string window = VisibleWindows(kTitle).front();
  RunCommand({"xdotool", "windowactivate", "--sync", window});

  ASSERT_TRUE(PressUntil({"ctrl+o"}, [] { return !VisibleWindows("Open ROM").empty(); })) << log();
  ASSERT_TRUE(ChooseInOpenDialog(typed)) << log();
  // Under wine the window manager leaves the focus on a window of wine's own
  // once Windows' file dialog has closed; a user clicks the editor's window.
  if (kUnderWine) RunCommand({"xdotool", "windowactivate", "--sync", window});
  ASSERT_TRUE(Eventually([&] { return RunCommand({"xdotool", "getactivewindow"}).output == window + "\n"; }));
  PressKeys({"ctrl+p"});
  EXPECT_TRUE(Eventually([] { return Clipboard() == "C3A05F"; })) << Clipboard();

  // From the list, Tab passes Style and the Y boxes and comes round to the
  // pointer's high byte; a full box passes the focus on by itself, and
  // Backspace right after goes back into it.
  PressKeys({"Tab", "Tab", "Tab", "Tab"});
  TypeText("7f");
  PressKeys({"BackSpace"});
  TypeText("e0a1b");
  PressKeys({"ctrl+p"});
  EXPECT_TRUE(Eventually([] { return Clipboard() == "7E0A1B"; })) << Clipboard();
  PressKeys({"ctrl+s"});
  EXPECT_TRUE(Eventually([&] { return testing::Changes(original, image.Bytes()) == "F0200=1B F0201=0A F0202=7E"; }));

  // Log-off: agreed at once with nothing unsaved; with an edit, asked as
  // Quit asks, and refused on Cancel, the edit kept.
  if (kUnderWine) {
    EXPECT_EQ(RunCommand({"/usr/lib/wine/wine64", kEndSession}, 30s).status, 1);
    RunCommand({"xdotool", "windowactivate", "--sync", window});  // the focus back from wine's own
  }
  PressKeys({"Tab"});
  TypeText("99");
  if (kUnderWine) {
    const pid_t asking = StartProcess({"/usr/lib/wine/wine64", kEndSession}, image.folder() / "end_session.txt");
    ASSERT_TRUE(Eventually([] { return VisibleWindows(kTitle).size() == 2; }, 60s)) << log();
    int answer = -1;
    EXPECT_TRUE(PressUntil({"Escape"}, [&] { return (answer = WaitForExit(asking, 0ms)) != -1; }));
    EXPECT_EQ(answer, 0);
    RunCommand({"xdotool", "windowactivate", "--sync", window});
  }
  // The edit left unsaved: Quit asks, and Alt+N drops it once the question
  // has been seen (it takes no key in its first moments).
  PressKeys({"ctrl+q"});
  ASSERT_TRUE(Eventually([] { return VisibleWindows(kTitle).size() == 2; }, 60s)) << log();
  if (kUnderWine) {
    // A message box on Windows copies its text, which names the image as
    // Windows writes paths.
    EXPECT_TRUE(PressUntil({"ctrl+c"}, [] {
      const std::string copied = Clipboard();
      return copied.find("Entry 1 has changes that have not been saved.") != std::string::npos &&
             copied.find("Save them into \"Z:\\tmp\\quorvane-test-") != std::string::npos;
    })) << Clipboard();
  }
  int status = -1;
  EXPECT_TRUE(PressUntil({"alt+n"}, [&] { return (status = WaitForExit(editor, 0ms)) != -1; })) << log();
  EXPECT_EQ(status, 0) << log();
  EXPECT_EQ(testing::Changes(original, image.Bytes()), "F0200=1B F0201=0A F0202=7E");
}

}  // namespace
}  // namespace quorvane
