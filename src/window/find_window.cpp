// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/find_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <array>

#include "rom/record_layout.h"

namespace quorvane {
namespace {

struct SearchField {
  const char* caption;
  const char* group;  // as the field table names it
  int digits;
};
constexpr std::array<SearchField, 4> kFields{
    {{"Text Pointer", "Text Pointer:", 6}, {"X", "X:", 4}, {"Y", "Y:", 4}, {"Style", "Style:", 2}}};

}  // namespace

FindWindow::FindWindow(QWidget* parent)
    : QDialog(parent), field_(new QComboBox(this)), value_(new QLineEdit(this)), message_(new AnnouncementLabel(this)) {
  setObjectName("find");
  setWindowTitle(tr("Find Entry"));
  setModal(false);
  field_->setObjectName("find_field");
  for (const SearchField& field : kFields) field_->addItem(tr(field.caption));
  value_->setObjectName("find_value");
  value_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]*"), value_));
  connect(value_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (text != text.toUpper()) value_->setText(text.toUpper());
  });
  connect(field_, &QComboBox::currentIndexChanged, this, [this] {
    value_->setMaxLength(Digits());
    if (value_of_) {
      const char* group = kFields.at(static_cast<std::size_t>(field_->currentIndex())).group;
      value_->setText(ValueText(group, value_of_(group)));
    }
    value_->selectAll();
  });
  message_->setObjectName("find_message");
  // Hidden while there is nothing to say, in its place, so nothing moves.
  QSizePolicy keep_place = message_->sizePolicy();
  keep_place.setRetainSizeWhenHidden(true);
  message_->setSizePolicy(keep_place);
  message_->hide();
  message_->setWordWrap(true);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* next = buttons->addButton(tr("Find &Next"), QDialogButtonBox::ActionRole);
  QPushButton* previous = buttons->addButton(tr("Find &Previous"), QDialogButtonBox::ActionRole);
  buttons->addButton(QDialogButtonBox::Close);
  next->setDefault(true);
  connect(next, &QPushButton::clicked, this, [this] { Find(true); });
  connect(previous, &QPushButton::clicked, this, [this] { Find(false); });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  auto* form = new QFormLayout(this);
  form->addRow(tr("&Field:"), field_);
  form->addRow(tr("&Value:"), value_);
  form->addRow(message_);
  form->addRow(buttons);
  value_->setMaxLength(Digits());
}

int FindWindow::Digits() const {
  return ValueDigits(kFields.at(static_cast<std::size_t>(field_->currentIndex())).group);
}

QString FindWindow::ValueText(const char* group, std::uint32_t value) {
  return QString::number(value, 16).toUpper().rightJustified(ValueDigits(group), '0');
}

void FindWindow::Open(const std::function<std::uint32_t(const char* group)>& value_of) {
  value_of_ = value_of;
  message_->hide();
  emit field_->currentIndexChanged(field_->currentIndex());  // the shown entry's value, selected
  show();
  raise();
  activateWindow();
  value_->setFocus(Qt::OtherFocusReason);
}

void FindWindow::Announce(const QString& what) { message_->Announce(what); }

void FindWindow::Find(bool forward) {
  const SearchField& field = kFields.at(static_cast<std::size_t>(field_->currentIndex()));
  if (value_->text().size() != Digits()) {
    Announce(tr("A %1 is %2 hexadecimal digits.").arg(tr(field.caption)).arg(Digits()));
    return;
  }
  message_->hide();
  emit findRequested(field.group, value_->text().toUInt(nullptr, 16), forward);
}

}  // namespace quorvane
