// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/accessible_interfaces.h"

#include <QAccessibleWidget>
#include <QTextBoundaryFinder>

#include "window/announcement_label.h"
#include "window/field_line_edit.h"
#include "window/group_frame.h"

namespace quorvane {
namespace {

// A field box as an editable single line of text.
class FieldBoxAccessible : public QAccessibleWidget,
                           public QAccessibleTextInterface,
                           public QAccessibleEditableTextInterface {
 public:
  explicit FieldBoxAccessible(FieldLineEdit* box) : QAccessibleWidget(box, QAccessible::EditableText) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
    if (type == QAccessible::EditableTextInterface) return static_cast<QAccessibleEditableTextInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text type) const override {
    return type == QAccessible::Value ? box()->text() : QAccessibleWidget::text(type);
  }
  // Assistive software changes only what the user could type into: a box
  // that is off or read-only keeps its text.
  bool Editable() const { return box()->isEnabled() && !box()->isReadOnly(); }
  void setText(QAccessible::Text type, const QString& text) override {
    if (type == QAccessible::Value && Editable()) box()->setText(text);
  }
  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = Editable();
    state.readOnly = !Editable();
    state.selectableText = true;
    return state;
  }

  // Text.
  int characterCount() const override { return static_cast<int>(box()->text().size()); }
  QString text(int start, int end) const override { return box()->text().mid(start, end - start); }
  int cursorPosition() const override { return box()->cursorPosition(); }
  void setCursorPosition(int position) override { box()->setCursorPosition(position); }
  int selectionCount() const override { return box()->hasSelectedText() ? 1 : 0; }
  void selection(int index, int* start, int* end) const override {
    *start = *end = 0;
    if (index != 0 || !box()->hasSelectedText()) return;
    *start = box()->selectionStart();
    *end = box()->selectionEnd();
  }
  void addSelection(int start, int end) override { setSelection(0, start, end); }
  void removeSelection(int index) override {
    if (index == 0) box()->deselect();
  }
  void setSelection(int index, int start, int end) override {
    if (index == 0) box()->setSelection(start, end - start);
  }
  QString attributes(int, int* start, int* end) const override {
    // One font and colour for the whole text.
    *start = 0;
    *end = characterCount();
    return QString();
  }
  QRect characterRect(int offset) const override {
    // Two characters never scroll: the text starts at the left margin.
    const QString text = box()->text();
    const QFontMetrics metrics = box()->fontMetrics();
    const QRect contents = box()->contentsRect().marginsRemoved(box()->textMargins());
    const QRect rect(contents.left() + 2 + metrics.horizontalAdvance(text.left(offset)), contents.top(),
                     metrics.horizontalAdvance(text.mid(offset, 1)), contents.height());
    return QRect(box()->mapToGlobal(rect.topLeft()), rect.size());
  }
  int offsetAtPoint(const QPoint& point) const override { return box()->cursorPositionAt(box()->mapFromGlobal(point)); }
  void scrollToSubstring(int, int end) override { box()->setCursorPosition(end); }

  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int* start, int* end) const override {
    QString text = box()->text();
    const auto length = static_cast<int>(text.size());
    if (offset == -2) offset = cursorPosition();
    if (offset == -1) offset = length;
    *start = *end = -1;
    if (length == 0 || offset < 0 || offset > length) return QString();
    QTextBoundaryFinder::BoundaryType unit = QTextBoundaryFinder::Grapheme;
    switch (boundary) {
      case QAccessible::CharBoundary:
        if (offset == length) return QString();
        break;
      case QAccessible::WordBoundary:
        unit = QTextBoundaryFinder::Word;
        break;
      case QAccessible::SentenceBoundary:
        unit = QTextBoundaryFinder::Sentence;
        break;
      default:  // a box holds one line: it is the line, the paragraph and the whole text
        *start = 0;
        *end = length;
        return text;
    }
    // At the very end, the unit asked for is the one the text ends with.
    const int at = std::min(offset, length - 1);
    QTextBoundaryFinder finder(unit, text);
    finder.setPosition(at);
    *start = finder.isAtBoundary() ? at : static_cast<int>(std::max<qsizetype>(finder.toPreviousBoundary(), 0));
    finder.setPosition(at);
    const qsizetype next = finder.toNextBoundary();
    *end = next < 0 ? length : static_cast<int>(next);
    return text.mid(*start, *end - *start);
  }

  // Editable text.
  void deleteText(int start, int end) override { replaceText(start, end, QString()); }
  void insertText(int offset, const QString& text) override { replaceText(offset, offset, text); }
  void replaceText(int start, int end, const QString& text) override {
    if (!Editable()) return;
    const QString now = box()->text();
    box()->setText(now.left(start) + text + now.mid(end));
  }

 private:
  FieldLineEdit* box() const { return static_cast<FieldLineEdit*>(widget()); }
};

// A label that announces, as a notification named by its words.
class AnnouncementAccessible : public QAccessibleWidget {
 public:
  explicit AnnouncementAccessible(AnnouncementLabel* label) : QAccessibleWidget(label, QAccessible::Notification) {}
  QString text(QAccessible::Text type) const override {
    return type == QAccessible::Name ? label()->Words() : QAccessibleWidget::text(type);
  }

 private:
  AnnouncementLabel* label() const { return static_cast<AnnouncementLabel*>(widget()); }
};

QAccessibleInterface* InterfaceFor(const QString& class_name, QObject* object) {
  if (class_name == QLatin1String(AnnouncementLabel::staticMetaObject.className())) {
    return new AnnouncementAccessible(static_cast<AnnouncementLabel*>(object));
  }
  if (class_name == QLatin1String(FieldLineEdit::staticMetaObject.className())) {
    return new FieldBoxAccessible(static_cast<FieldLineEdit*>(object));
  }
  if (class_name == QLatin1String(GroupFrame::staticMetaObject.className())) {
    return new QAccessibleWidget(static_cast<GroupFrame*>(object), QAccessible::Grouping);
  }
  return nullptr;
}

}  // namespace

void InstallAccessibleInterfaces() {
  static const bool installed = [] {
    QAccessible::installFactory(InterfaceFor);
    return true;
  }();
  (void)installed;
}

}  // namespace quorvane
