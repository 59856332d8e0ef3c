// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The built editor on a real X display, driven by keyboard alone as a user
// drives it: Ctrl+O and a path typed into the real file dialog, Tab into the
// pointer boxes, Ctrl+P, Ctrl+S, and Ctrl+Q answered in the real question
// box. Results are read from the image file and from the clipboard.
#include <gtest/gtest.h>

#include <cstdlib>

#include "synthetic_image.h"
#include "x_desktop.h"

namespace quorvane {
namespace {

using namespace testing;

// The Windows program under wine when QUORVANE_WINDOWS_PROGRAM names it:
// its file dialog is Windows' own and takes paths in Windows' form (Z: is /).
const QString kWindowsProgram = qEnvironmentVariable("QUORVANE_WINDOWS_PROGRAM");
const bool kUnderWine = !kWindowsProgram.isEmpty();
const QString kWine = "/usr/lib/wine/wine64";
// There, too, a program that asks the editor whether the session may end,
// as Windows does at log-off: its exit status is the answer, 1 for yes.
const QString kEndSession = qEnvironmentVariable("QUORVANE_END_SESSION");
// The editor's windows by their title, "Quorvane*" while an edit is unsaved.
const QString kTitle = "Quorvane\\*?";

TEST(EndToEnd, APointerTypedInOneGoIsCopiedSavedAndAnUnsavedEditIsAskedAbout) {
  const XDesktop desktop;
  ASSERT_TRUE(desktop.ready) << "No X display with a window manager: script/bootstrap installs xvfb and openbox.";
  SyntheticImage image(kFullImageSize, "T\u00FCr f\u00FCnf.smc");
  image.Poke(0xF0200, {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0x09});
  const std::vector<std::uint8_t> original = image.Bytes();
  const QString path = QString::fromStdU16String(image.path().u16string());
  QProcess editor;
  editor.setProcessChannelMode(QProcess::ForwardedChannels);  // what it says goes into the test's report
  editor.start(kUnderWine ? kWine : QUORVANE_BINARY, kUnderWine ? QStringList{kWindowsProgram} : QStringList{});
  ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindows(kTitle).size() == 1; }, kPatience));
  const QString window = VisibleWindows(kTitle).front();
  Exec({"xdotool", "windowactivate", "--sync", window});

  ASSERT_TRUE(PressUntil({"ctrl+o"}, [] { return !VisibleWindows("Open ROM").isEmpty(); }));
  ASSERT_TRUE(ChooseInOpenDialog(kUnderWine ? "Z:" + QString(path).replace('/', '\\') : path));
  // Under wine the window manager leaves the focus on a window of wine's own
  // once Windows' file dialog has closed; a user clicks the editor's window.
  if (kUnderWine) Exec({"xdotool", "windowactivate", "--sync", window});
  ASSERT_TRUE(QTest::qWaitFor([&] { return Exec({"xdotool", "getactivewindow"}).trimmed() == window; }, kPatience));
  Press({"ctrl+p"});
  EXPECT_TRUE(QTest::qWaitFor([] { return Clipboard() == "C3A05F"; }, kPatience)) << Clipboard().toStdString();

  // From the list, Tab passes Style and the Y boxes and comes round to the
  // pointer's high byte; a full box passes the focus on by itself, and
  // Backspace right after goes back into it.
  Press({"Tab", "Tab", "Tab", "Tab", "7", "f", "BackSpace", "e", "0", "a", "1", "b", "ctrl+p", "ctrl+s"});
  EXPECT_TRUE(QTest::qWaitFor([] { return Clipboard() == "7E0A1B"; }, kPatience)) << Clipboard().toStdString();
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return Changes(original, image.Bytes()) == "F0200=1B F0201=0A F0202=7E"; }, kPatience));

  // Log-off: agreed at once with nothing unsaved; with an edit, asked as
  // Quit asks, and refused on Cancel, the edit kept.
  if (kUnderWine) {
    EXPECT_EQ(QProcess::execute("timeout", {"60", kWine, kEndSession}), 1);  // 124 if it never answers
    Exec({"xdotool", "windowactivate", "--sync", window});                   // the focus back from wine's own
  }
  Press({"Tab", "9", "9"});
  if (kUnderWine) {
    QProcess asking;
    asking.start(kWine, {kEndSession});
    ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindows(kTitle).size() == 2; }, kPatience));
    EXPECT_TRUE(PressUntil({"Escape"}, [&] { return asking.waitForFinished(100); }));
    EXPECT_EQ(asking.exitCode(), 0);
    Exec({"xdotool", "windowactivate", "--sync", window});
  }
  // The edit left unsaved: Quit asks, and Alt+N drops it once the question
  // has been seen (it takes no key in its first moments).
  Press({"ctrl+q"});
  ASSERT_TRUE(QTest::qWaitFor([] { return VisibleWindows(kTitle).size() == 2; }, kPatience));
  if (kUnderWine) {
    // A message box on Windows copies its text, which names the image as
    // Windows writes paths.
    EXPECT_TRUE(PressUntil({"ctrl+c"}, [] {
      const QString copied = Clipboard();
      return copied.contains("Entry 1 has changes that have not been saved.") &&
             copied.contains("Save them into \"Z:\\tmp\\quorvane-test-");
    })) << Clipboard().toStdString();
  }
  // (Only the first wait once it has ended says so, and that ends the presses.)
  EXPECT_TRUE(PressUntil({"alt+n"}, [&] { return editor.waitForFinished(100); }));
  EXPECT_EQ(editor.exitCode(), 0);
  EXPECT_EQ(Changes(original, image.Bytes()), "F0200=1B F0201=0A F0202=7E");
}

}  // namespace
}  // namespace quorvane
