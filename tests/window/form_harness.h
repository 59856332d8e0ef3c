#pragma once

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <deque>
#include <map>
#include <memory>

#include "rom/module1.h"
#include "rom/record_layout.h"
#include "synthetic_image.h"
#include "window/form1.h"
#include "window/user_interaction.h"

namespace quorvane::testing {

// Answers the Open dialog from a script: a name, an empty name, or nullopt
// for Cancel. With the script used up, the dialog is cancelled.
class ScriptedChooser : public FileChooser {
 public:
  std::optional<QString> ShowOpen(QWidget*, const QString& title, const QString& filter) override {
    titles.append(title);
    filters.append(filter);
    if (answers.empty()) return std::nullopt;
    std::optional<QString> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<QString>> answers;
  QStringList titles;
  QStringList filters;
};

class RecordingNotifier : public Notifier {
 public:
  void Warn(QWidget*, const QString& message) override { messages.append(message); }
  QStringList messages;
};

// One started window, Load handling run, shown and active, with scripted
// dialogs in place of modal ones.
class FormHarness {
 public:
  FormHarness() : form(module, chooser, notifier) {
    form.Form_Load();
    form.show();
    form.activateWindow();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form);
  }

  void Open(const std::filesystem::path& path) {
    chooser.answers.push_back(QString::fromStdString(path.string()));
    form.file_open_Click();
  }

  QString Shown(int box) const { return form.Box(box)->text(); }

  // What the ten boxes show, by box number.
  std::map<int, QString> ShownRecord() const {
    std::map<int, QString> shown;
    for (int box = 1; box <= 10; ++box) shown[box] = Shown(box);
    return shown;
  }

  QWidget* Focused() const { return form.focusWidget(); }

  // Types as a user does: every key goes to whichever control has the focus
  // at that moment.
  void Type(const QString& keys) {
    for (QChar key : keys) QTest::keyClicks(Focused(), QString(key));
  }

  void FocusBox(int box) {
    form.Box(box)->setFocus(Qt::TabFocusReason);
    form.Box(box)->selectAll();
  }

  Module1 module;
  ScriptedChooser chooser;
  RecordingNotifier notifier;
  Form1 form;
};

// The record of entry 1 used throughout: pointer C3A05F, unknown 11 22,
// X 1234, Y 5678, style 09, and record byte 3 holding 07.
inline const std::vector<std::uint8_t> kEntryOneRecord = {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22,
                                                          0x34, 0x12, 0x78, 0x56, 0x09};

inline std::map<int, QString> EntryOneShown() {
  return {{1, "09"}, {2, "C3"}, {3, "A0"}, {4, "5F"}, {5, "12"},
          {6, "34"}, {7, "56"}, {8, "78"}, {9, "11"}, {10, "22"}};
}

}  // namespace quorvane::testing
