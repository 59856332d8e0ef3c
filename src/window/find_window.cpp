// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/find_window.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QValidator>
#include <algorithm>
#include <array>

#include "rom/hex_text.h"
#include "window/messages.h"

namespace quorvane {
namespace {

// The values a search looks for, in the order the field list offers them.
constexpr std::array<RecordValue, 4> kSearched{RecordValue::kPointer, RecordValue::kX, RecordValue::kY,
                                               RecordValue::kStyle};

// Hexadecimal digits only, upper-cased as they come.
class HexDigitsValidator : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& /*position*/) const override {
    input = input.toUpper();
    return input.isEmpty() || IsHexText(input) ? Acceptable : Invalid;
  }
};

}  // namespace

FindWindow::FindWindow(QWidget* parent)
    : QDialog(parent), field_(new QComboBox(this)), value_(new QLineEdit(this)), message_(new AnnouncementLabel(this)) {
  setObjectName("find");
  setWindowTitle(tr("Find Entry"));
  setModal(false);
  field_->setObjectName("find_field");
  for (RecordValue which : kSearched) field_->addItem(Messages::ValueName(which));
  value_->setObjectName("find_value");
  value_->setValidator(new HexDigitsValidator(value_));
  connect(field_, &QComboBox::currentIndexChanged, this, [this] {
    Hush();  // what was said was of the other field
    value_->setMaxLength(ValueDigits(Searched()));
    const std::optional<std::uint32_t> value = value_of_ ? value_of_(Searched()) : std::nullopt;
    value_->setText(value ? ValueText(Searched(), *value) : QString());
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
  value_->setMaxLength(ValueDigits(Searched()));
}

RecordValue FindWindow::Searched() const { return kSearched.at(static_cast<std::size_t>(field_->currentIndex())); }

QString FindWindow::ValueText(RecordValue which, std::uint32_t value) {
  return QString::fromStdString(FormatValue(which, value));
}

void FindWindow::Open(const std::function<std::optional<std::uint32_t>(RecordValue which)>& value_of,
                      const QWidget& list) {
  value_of_ = value_of;
  if (!isVisible()) PlaceBeside(list);
  Hush();
  emit field_->currentIndexChanged(field_->currentIndex());  // the shown entry's value, selected
  show();
  raise();
  activateWindow();
  value_->setFocus(Qt::OtherFocusReason);
}

void FindWindow::PlaceBeside(const QWidget& list) {
  if (!testAttribute(Qt::WA_Resized)) adjustSize();
  const QRect window = list.window()->frameGeometry();
  const QRect screen = list.screen()->availableGeometry();
  QRect place(QPoint(window.right() + 1, window.top()), frameGeometry().size());
  if (!screen.contains(place)) place.moveTopLeft(QPoint(window.left(), window.bottom() + 1));
  if (!screen.contains(place)) place.moveBottomLeft(list.mapToGlobal(QPoint(0, list.height() - 1)));
  place.moveTop(std::max(place.top(), screen.top()));
  move(place.topLeft());
}

void FindWindow::Announce(const QString& what) {
  message_->Announce(what);
  // Every line of it has room: the window grows with its words.
  layout()->activate();
  message_->setMinimumHeight(message_->heightForWidth(message_->width()));
}

void FindWindow::Hush() { message_->hide(); }

void FindWindow::Find(bool forward) {
  const int digits = ValueDigits(Searched());
  if (value_->text().size() != digits) {
    Announce(Messages::ValueLength(Searched()));
    return;
  }
  Hush();
  emit findRequested(Searched(), value_->text().toUInt(nullptr, 16), forward);
}

}  // namespace quorvane
