// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMetaEnum>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>

#include "rom/editing_session.h"
#include "rom/module1.h"
#include "synthetic_image.h"
#include "window/form1.h"

namespace quorvane::testing {

// The dialogs, answered from a script. The Open dialog takes a name, an
// empty name, or nullopt for Cancel (also when the script is used up);
// warnings and questions are kept, and questions answered as told. As a
// real dialog does, each runs an event loop of its own before it returns:
// `while_open` runs there.
class ScriptedDialogs : public FileChooser, public Notifier {
 public:
  std::optional<QString> ShowOpen(QWidget*, const QString& title, const QString& filter) override {
    Ask(title + " | " + filter, 0);
    if (names.empty()) return std::nullopt;
    std::optional<QString> name = names.front();
    names.pop_front();
    return name;
  }
  void Warn(QWidget*, const Message& message) override {
    warnings.append(message);
    if (while_open) while_open();
  }
  EditsAnswer AskAboutEdits(QWidget*, const Message& question) override { return Ask(question, edits_answer); }
  ChangedElsewhereAnswer AskAboutChangesElsewhere(QWidget*, const Message& question) override {
    return Ask(question, changed_elsewhere_answer);
  }
  bool AskToOpenAnyway(QWidget*, const Message& question) override { return Ask(question, open_anyway); }
  bool AskToShowNewFile(QWidget*, const Message& question) override { return Ask(question, show_new_file); }
  std::optional<QString> AskEntryNumber(QWidget*, const QString& prompt) override { return Ask(prompt, entry_number); }
  template <typename Answer>
  Answer Ask(const Message& question, Answer answer) {
    questions.append(question);
    return Ask(question.text, answer);
  }
  template <typename Answer>
  Answer Ask(const QString& question, Answer answer) {
    asked.append(question);
    if (while_open) while_open();
    return answer;
  }
  std::function<void()> while_open;

  std::deque<std::optional<QString>> names;
  QStringList asked;  // every dialog's text, the Open dialog's title among them
  QList<Message> questions;
  QList<Message> warnings;
  EditsAnswer edits_answer = EditsAnswer::kCancel;
  ChangedElsewhereAnswer changed_elsewhere_answer = ChangedElsewhereAnswer::kCancel;
  bool open_anyway = false;
  bool show_new_file = false;
  std::optional<QString> entry_number;
};

// Entry 1's record in the test images: pointer C3A05F, unknown 11 22, X 1234,
// Y 5678, style 09, record byte 3 holding 07; and how Text1 to Text10 show it.
inline const std::vector<std::uint8_t> kRecord = {0x5F, 0xA0, 0xC3, 0x07, 0x11, 0x22, 0x34, 0x12, 0x78, 0x56, 0x09};
inline const QString kRecordShown = "09 C3 A0 5F 12 34 56 78 11 22";

// What a message says, by its facts rather than its words:
// "kNotSaved | entry 1 | image.smc | missing | 0 1".
inline QString Facts(const Message& message) {
  QStringList facts{QMetaEnum::fromType<Message::Kind>().valueToKey(static_cast<int>(message.kind))};
  if (message.entry != 0) facts << QString("entry %1").arg(message.entry);
  if (message.box != 0) facts << QString("box %1").arg(message.box);
  if (!message.file.isEmpty()) facts << QFileInfo(message.file).fileName();
  if (message.fault) {
    const std::string_view fault = FaultName(*message.fault);
    facts << QString::fromUtf8(fault.data(), static_cast<qsizetype>(fault.size()));
  }
  if (!message.values.isEmpty()) facts << message.values.join(' ');
  return facts.join(" | ");
}
inline QStringList Facts(const QList<Message>& messages) {
  QStringList facts;
  for (const Message& message : messages) facts << Facts(message);
  return facts;
}

inline QString QtPath(const std::filesystem::path& path) { return QString::fromStdU16String(path.u16string()); }

// One started window, Load handling run, shown and active.
class FormHarness {
 public:
  FormHarness() : form(session, dialogs, dialogs) {
    dialogs.while_open = [this] { LetTimersRun(); };
    form.Form_Load();
    form.show();
    QApplication::setActiveWindow(&form);
    (void)QTest::qWaitForWindowActive(&form);
  }

  void Open(const std::filesystem::path& path) {
    dialogs.names.push_back(QDir::fromNativeSeparators(QtPath(path)));  // as Qt's file dialog gives it
    form.file_open_Click();
  }
  QString Record() const {
    QStringList texts;
    for (int box = 1; box <= 10; ++box) texts.append(form.Box(box)->text());
    return texts.join(' ');
  }
  QWidget* Focused() const { return QApplication::focusWidget(); }
  // Until every timer of the window that is waiting has fired or stopped.
  void LetTimersRun() {
    const QList<QTimer*> timers = form.findChildren<QTimer*>();
    QVERIFY(QTest::qWaitFor([&] {
      return std::none_of(timers.begin(), timers.end(), [](const QTimer* timer) { return timer->isActive(); });
    }));
  }
  // Types as a user does: each key goes to the window with the focus by
  // then, which passes it on to its focused widget, as the platform's do.
  void Type(const QString& keys) {
    for (QChar key : keys) QTest::keyClick(FocusWindow(), key.toLatin1());
  }
  QWindow* FocusWindow() const { return (Focused() != nullptr ? Focused() : &form)->window()->windowHandle(); }
  // A key by its name ("Tab", "Shift+Tab", "Ctrl+V"; "Redo" is the
  // platform's), or else the text typed: hex digits always are.
  void Press(const QString& key) {
    const QKeySequence named = key == "Redo" ? QKeySequence(QKeySequence::Redo) : QKeySequence(key);
    const bool hex = std::all_of(key.begin(), key.end(), [](QChar c) { return isxdigit(c.toLatin1()) != 0; });
    if (hex || named.isEmpty() || named[0].key() == Qt::Key_unknown) return Type(key);  // "F3" is typed
    QTest::keyClick(FocusWindow(), named[0].key(), named[0].keyboardModifiers());
  }
  void FocusBox(int box) {
    form.Box(box)->setFocus(Qt::TabFocusReason);
    form.Box(box)->selectAll();
  }
  void ClickEntry(int row, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    form.List1->scrollToItem(form.List1->item(row));
    QTest::mouseClick(form.List1->viewport(), Qt::LeftButton, modifiers,
                      form.List1->visualItemRect(form.List1->item(row)).center());
  }

  Module1 module;
  EditingSession session{module};
  ScriptedDialogs dialogs;
  Form1 form;
};

}  // namespace quorvane::testing
