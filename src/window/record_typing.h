// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <map>
#include <vector>

#include "window/field_line_edit.h"

namespace quorvane {

// How typing flows through the boxes of a value (the pointer, X, Y; Style
// is a value of one box), as people type a record; the one place that
// decides it.
// - A box of a value that the user fills passes the focus to the next box
//   of the value. The very next key into that box may be Tab, which stays
//   where the focus went (it has moved already, as with the separator of an
//   IP-address field), or Backspace, which goes back and takes the last
//   character of the box the focus came from. Anything else first (a click,
//   a change of focus, a shortcut, another key) ends that moment.
// - A whole value pasted into any of its boxes (six hexadecimal digits for
//   the pointer, as Copy Pointer gives it, four for X or Y) fills them all,
//   and is one step: Ctrl+Z in any of them takes it back whole, and the
//   Redo keys put it back whole. A paste that the box cannot take whole
//   changes nothing, and the user is told what the text is and where it
//   fits, rather than have it cut short.
struct Message;

class RecordTyping : public QObject {
  Q_OBJECT

 public:
  RecordTyping(std::function<void(const Message& why)> tell, QObject* parent);
  // The boxes of one value, most significant byte first.
  void AddValue(const std::vector<FieldLineEdit*>& boxes);
  // A box's text changed, by the user unless `by_user` says otherwise: a
  // box the user filled passes the focus on. A pointer box's text is the
  // input rule's (two characters are full); another needs two hex digits.
  void Changed(FieldLineEdit* box, bool by_user);
  // Something else happened (a Save, a question): the moment after the
  // focus passed on is over.
  void ForgetAdvance();
  // The boxes show another display: neither that moment nor a whole-value
  // paste lives on.
  void Forget();
  // Whether the Undo (or Redo) keys pressed in `box` are the box's own:
  // it, or a whole-value paste made through it, has something to take
  // back (or make again).
  bool CanTakeBack(const QWidget* box, bool redo) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class AdvanceWatch;

  const std::vector<FieldLineEdit*>* ValueOf(const QWidget* box) const;
  void Advance(FieldLineEdit* from, FieldLineEdit* to);
  bool TakeKey(FieldLineEdit* box, const QKeyEvent& key);
  bool TakePaste(FieldLineEdit* box, const QString& text);
  // Whether a box belongs to the last whole-value paste into its value, and
  // every box of it still holds what the paste left (or, once undone, what
  // it replaced) with the paste still in its own history to take back (or
  // make again).
  bool SpreadHolds(const QWidget* box, bool undone) const;

  std::function<void(const Message& why)> tell_;
  std::vector<std::vector<FieldLineEdit*>> values_;
  QPointer<FieldLineEdit> advanced_from_, advanced_to_;
  AdvanceWatch* watch_;
  struct Spread {
    std::vector<FieldLineEdit*> boxes;
    QStringList before, after;
    bool undone = false;
  };
  // The last whole-value paste into each value, by the value's first box.
  std::map<const FieldLineEdit*, Spread> spreads_;
  // Set while this class itself changes boxes (a whole-value paste, Undo,
  // Redo): that is no typing, and passes no focus on.
  bool changing_boxes_ = false;
};

}  // namespace quorvane
