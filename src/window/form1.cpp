#include "window/form1.h"

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>

#include "rom/hex_text.h"
#include "rom/image_check.h"
#include "rom/record_layout.h"
#include "rom/save_check.h"
#include "window/hex_input_filter.h"
#include "window/twips_scale.h"

namespace quorvane {
namespace {

// The client area and every control's place, in twips.
constexpr TwipsRect kClientArea{0, 0, 4935, 1695};

struct BoxPlace {
  int box;
  TwipsRect rect;
  bool two_characters;
};
constexpr BoxPlace kBoxPlaces[] = {
    {2, {240, 360, 375, 285}, true},    {3, {720, 360, 375, 285}, true},
    {4, {1200, 360, 375, 285}, true},   {9, {2040, 360, 375, 285}, false},
    {10, {2520, 360, 375, 285}, false}, {1, {240, 1080, 375, 285}, true},
    {5, {1080, 1080, 375, 285}, true},  {6, {1560, 1080, 375, 285}, true},
    {7, {2400, 1080, 375, 285}, true},  {8, {2880, 1080, 375, 285}, true},
};
constexpr TwipsRect kList1{3480, 120, 1335, 1425};

struct LabelPlace {
  QLabel* Form1::*control;
  const char* name;
  const char* caption;
  TwipsRect rect;
};
constexpr LabelPlace kLabelPlaces[] = {
    {&Form1::Label5, "Label5", "Text Pointer:", {240, 120, 975, 255}},
    {&Form1::Label6, "Label6", "Unknown:", {2040, 120, 735, 255}},
    {&Form1::Label4, "Label4", "Style:", {240, 840, 375, 255}},
    {&Form1::Label2, "Label2", "X:", {1200, 840, 135, 255}},
    {&Form1::Label3, "Label3", "Y:", {2520, 840, 135, 255}},
};

struct ShapePlace {
  QFrame* Form1::*control;
  const char* name;
  TwipsRect rect;
};
constexpr ShapePlace kShapePlaces[] = {
    {&Form1::Shape2, "Shape2", {120, 240, 1575, 495}}, {&Form1::Shape3, "Shape3", {1920, 240, 1095, 495}},
    {&Form1::Shape1, "Shape1", {120, 960, 615, 495}},  {&Form1::Shape4, "Shape4", {960, 960, 1095, 495}},
    {&Form1::Shape5, "Shape5", {2280, 960, 1095, 495}},
};

constexpr int kFirstEditableBox = 1;
constexpr int kLastEditableBox = 8;

QSize TwipsSize(const TwipsRect& rect) { return QSize(rect.width, rect.height); }

// The chosen name goes to the path as UTF-16, never through a narrow code
// page, so that any name the dialog offers reaches the file system intact.
std::filesystem::path ToPath(const QString& name) { return std::filesystem::path(name.toStdU16String()); }

QString ToDisplayName(const std::filesystem::path& path) { return QString::fromStdString(DisplayPath(path)); }

}  // namespace

Form1::Form1(Module1& module, FileChooser& common_dialog, Notifier& notifier, QWidget* parent)
    : QMainWindow(parent), CommonDialog1(common_dialog), module_(module), notifier_(notifier) {
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Quorvane"));
  // The layout has one fixed size, so there is nothing to maximize to.
  setWindowFlag(Qt::WindowMaximizeButtonHint, false);
  CreateControls();
  CreateMenus();
  PlaceControls();
  SetTabOrder();
}

void Form1::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName("client");
  setCentralWidget(client);

  // Stacking, bottom to top: frames, labels, then boxes and list. Each label
  // is drawn over its frame's top edge, as a group box caption is, and a box
  // that reaches into its label's lower edge is drawn over the label.
  for (const ShapePlace& place : kShapePlaces) {
    auto* shape = new QFrame(client);
    shape->setObjectName(place.name);
    shape->setFrameStyle(QFrame::Box | QFrame::Plain);
    shape->setLineWidth(1);
    shape->setAttribute(Qt::WA_TransparentForMouseEvents);
    this->*place.control = shape;
  }

  for (const FieldSlot& slot : kFieldTable) {
    auto* box = new FieldLineEdit(client);
    box->setObjectName(QStringLiteral("Text%1").arg(slot.box));
    const QString description = QString::fromUtf8(slot.description.data(),
                                                  static_cast<qsizetype>(slot.description.size()));
    box->setAccessibleName(description);
    box->setToolTip(description);
    box->setEnabled(false);
    boxes_[static_cast<std::size_t>(slot.box - 1)] = box;
  }
  for (const BoxPlace& place : kBoxPlaces) {
    if (place.two_characters) Box(place.box)->setMaxLength(2);
  }
  Text1 = Box(1), Text2 = Box(2), Text3 = Box(3), Text4 = Box(4), Text5 = Box(5);
  Text6 = Box(6), Text7 = Box(7), Text8 = Box(8), Text9 = Box(9), Text10 = Box(10);

  List1 = new QListWidget(client);
  List1->setObjectName("List1");
  List1->setSortingEnabled(false);
  List1->setUniformItemSizes(true);
  List1->setSelectionMode(QAbstractItemView::SingleSelection);
  List1->setAccessibleName(tr("Door entries"));
  List1->setToolTip(tr("Door entries: pick one to show its record"));
  List1->setEnabled(false);

  for (const LabelPlace& place : kLabelPlaces) {
    auto* label = new QLabel(QString::fromUtf8(place.caption), client);
    label->setObjectName(place.name);
    label->setAutoFillBackground(true);
    this->*place.control = label;
  }

  connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
  connect(Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
  connect(Text4, &QLineEdit::textChanged, this, &Form1::Text4_Change);
  connect(List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
}

void Form1::CreateMenus() {
  auto add_action = [this](QMenu* menu, const char* name, const QString& caption,
                           const QKeySequence& shortcut) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    return action;
  };
  file = menuBar()->addMenu(tr("File"));
  file->setObjectName("file");
  file_open = add_action(file, "file_open", tr("Open"), QKeySequence(Qt::CTRL | Qt::Key_O));
  file_save = add_action(file, "file_save", tr("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
  file_space = file->addSeparator();
  file_space->setObjectName("file_space");
  file_quit = add_action(file, "file_quit", tr("Quit"), QKeySequence(Qt::CTRL | Qt::Key_Q));

  edit = menuBar()->addMenu(tr("Edit"));
  edit->setObjectName("edit");
  edit_copypointer =
      add_action(edit, "edit_copypointer", tr("Copy Pointer"), QKeySequence(Qt::CTRL | Qt::Key_P));
  edit_copyx = add_action(edit, "edit_copyx", tr("Copy X"), QKeySequence());
  edit_copyy = add_action(edit, "edit_copyy", tr("Copy Y"), QKeySequence());
  // Copy X and Copy Y have no action and stay off for the whole run.
  edit_copyx->setEnabled(false);
  edit_copyy->setEnabled(false);

  connect(file_open, &QAction::triggered, this, &Form1::file_open_Click);
  connect(file_save, &QAction::triggered, this, &Form1::file_save_Click);
  connect(file_quit, &QAction::triggered, this, &Form1::file_quit_Click);
  connect(edit_copypointer, &QAction::triggered, this, &Form1::edit_copypointer_Click);
}

void Form1::PlaceControls() {
  // One factor for the whole window, the smallest at which the style's
  // boxes, "FF" in them, and every caption fit uncut.
  std::vector<TwipsScale::Need> needs;
  for (const BoxPlace& place : kBoxPlaces) {
    FieldLineEdit* box = Box(place.box);
    const QSize to_show = box->SizeToShow(QStringLiteral("FF"));
    needs.push_back({QSize(to_show.width(), qMax(to_show.height(), box->minimumSizeHint().height())),
                     TwipsSize(place.rect)});
  }
  for (const LabelPlace& place : kLabelPlaces) {
    needs.push_back({(this->*place.control)->sizeHint(), TwipsSize(place.rect)});
  }
  const TwipsScale scale = TwipsScale::Fitting(needs);

  for (const ShapePlace& place : kShapePlaces) {
    (this->*place.control)->setGeometry(scale.ToPixels(place.rect));
  }
  for (const BoxPlace& place : kBoxPlaces) Box(place.box)->setGeometry(scale.ToPixels(place.rect));
  List1->setGeometry(scale.ToPixels(kList1));
  for (const LabelPlace& place : kLabelPlaces) {
    (this->*place.control)->setGeometry(scale.ToPixels(place.rect));
    (this->*place.control)->raise();
  }
  for (FieldLineEdit* box : boxes_) box->raise();
  List1->raise();

  // The client area has a fixed size and the window fits it exactly, menu
  // bar included, so the window cannot be resized.
  centralWidget()->setFixedSize(scale.ToPixels(kClientArea).size());
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Form1::SetTabOrder() {
  const QWidget* order[] = {Text2, Text3, Text4, Text5, Text6, List1, Text1, Text9, Text10, Text8, Text7};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
    setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
  }
}

void Form1::Form_Load() {
  List1->setUpdatesEnabled(false);
  for (std::int32_t n = 0; n < kEntryCount;) {
    ++n;
    List1->addItem(QStringLiteral("Entry %1").arg(n));
  }
  List1->setUpdatesEnabled(true);
  module_.EntryOffsets.Build();
}

std::int32_t Form1::SelectedEntry() const {
  // The list position is held as a signed 16-bit number, -1 with nothing selected.
  const auto position = static_cast<std::int16_t>(List1->currentRow());
  return std::int32_t{position} + 1;
}

void Form1::Guarded(const std::function<void()>& work) {
  try {
    work();
  } catch (const std::exception& failure) {
    notifier_.Warn(this, QString::fromStdString(failure.what()));
  }
}

void Form1::file_open_Click() {
  Guarded([this] { OpenImage(); });
}

void Form1::OpenImage() {
  const std::optional<QString> chosen =
      CommonDialog1.ShowOpen(this, QStringLiteral("Open ROM"), QStringLiteral("SNES ROM (*.smc)"));
  if (!chosen) return;  // Cancelled: nothing changes.
  if (chosen->isEmpty()) {
    emit programEndRequested();
    return;
  }
  // The chosen file is checked before anything changes for it, so that a
  // file that cannot serve leaves the image already open in place.
  const std::filesystem::path path = ToPath(*chosen);
  const CheckedImage checked = CheckImage(path);
  module_.RomPath = path;
  image_identity_ = checked.identity;
  for (int box = kFirstEditableBox; box <= kLastEditableBox; ++box) Box(box)->setEnabled(true);
  List1->setEnabled(true);
  // The list raises no change for the position it already has, so a second
  // Open with entry 1 selected shows the new image's entry 1 itself;
  // otherwise the old image's bytes would stay on screen, ready to be saved
  // into the new one.
  if (List1->currentRow() == 0) {
    List1_Click();
  } else {
    List1->setCurrentRow(0);
  }
}

void Form1::List1_Click() {
  Guarded([this] { ShowSelectedEntry(); });
}

void Form1::ShowSelectedEntry() {
  // The image is checked again first, since it may have been deleted,
  // truncated or replaced since it was opened. All ten bytes are read before
  // any box changes; if that fails, every box is emptied rather than left
  // with a mix of two entries that a Save would write into this one. Empty
  // boxes cannot be saved.
  std::array<std::string, kFieldTable.size()> texts;
  FileIdentity identity{};
  try {
    identity = CheckImage(module_.RomPath).identity;
    for (std::size_t i = 0; i < kFieldTable.size(); ++i) {
      texts[i] = module_.ReadFieldByte(SelectedEntry(), kFieldTable[i].position);
    }
  } catch (...) {
    for (FieldLineEdit* box : boxes_) box->clear();
    throw;
  }
  for (std::size_t i = 0; i < kFieldTable.size(); ++i) Box(kFieldTable[i].box)->SetText(texts[i]);
  List1->setFocus(Qt::OtherFocusReason);

  const bool replaced = image_identity_ && *image_identity_ != identity;
  image_identity_ = identity;
  if (replaced) {
    notifier_.Warn(this, tr("\"%1\" has been replaced by another file since it was opened. "
                            "The entry shown now is read from the new file.")
                             .arg(ToDisplayName(module_.RomPath)));
  }
}

void Form1::file_save_Click() {
  Guarded([this] { SaveSelectedEntry(); });
}

void Form1::SaveSelectedEntry() {
  if (module_.RomPath.empty()) {
    notifier_.Warn(this, tr("No image is open, so there is nothing to save. Open one with File > Open."));
    return;
  }
  if (SelectedEntry() < kFirstEntry) {
    notifier_.Warn(this, tr("No entry is selected, so there is nothing to save. Pick one in the list."));
    return;
  }
  // The image may have changed since the entry was shown: one that has
  // become too short would take half a record before the first failing
  // byte, and one replaced by another file would take bytes it never showed.
  if (CheckImage(module_.RomPath).identity != image_identity_) {
    notifier_.Warn(this, tr("\"%1\" has been replaced by another file since this entry was shown. "
                            "Nothing was saved. Select the entry again to see what the new file "
                            "holds.")
                             .arg(ToDisplayName(module_.RomPath)));
    return;
  }
  // Every box is checked before the first byte is written: a Save writes the
  // whole record or nothing.
  const std::optional<InvalidField> invalid =
      FindInvalidField([this](int box) { return Box(box)->Text(); });
  if (invalid) {
    notifier_.Warn(this, QString::fromStdString(invalid->message));
    FieldLineEdit* box = Box(invalid->slot.box);
    box->setFocus(Qt::OtherFocusReason);
    box->selectAll();
    return;
  }
  for (const FieldSlot& slot : kFieldTable) {
    module_.WriteFieldByte(SelectedEntry(), *Box(slot.box), slot.position);
  }
}

void Form1::file_quit_Click() { close(); }

void Form1::edit_copypointer_Click() {
  Guarded([this] { CopyPointerToClipboard(); });
}

void Form1::CopyPointerToClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  QString pointer;
  for (int box : kPointerBoxes) pointer += Box(box)->text();
  clipboard->setText(pointer);
}

void Form1::PointerBoxChange(FieldLineEdit* box, FieldLineEdit* next) {
  box->SetText(FilterHexInput(*box));
  if (next != nullptr && box->text().size() == 2) {
    // Focus passes on as Tab would pass it, with the next box's text
    // selected, so the next digits typed replace the ones shown.
    next->setFocus(Qt::TabFocusReason);
    next->selectAll();
  }
}

void Form1::Text2_Change() { PointerBoxChange(Text2, Text3); }
void Form1::Text3_Change() { PointerBoxChange(Text3, Text4); }
void Form1::Text4_Change() { PointerBoxChange(Text4, nullptr); }

}  // namespace quorvane
