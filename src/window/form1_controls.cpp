// SPDX-FileCopyrightText: 2026 Quorvane developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Building the window: its controls in their places, its menus, its tab
// order, and the list of entries.
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QResizeEvent>
#include <QSessionManager>
#include <functional>

#include "rom/record_layout.h"
#include "window/accessible_interfaces.h"
#include "window/form1.h"
#include "window/messages.h"
#include "window/status_line.h"
#include "window/twips_scale.h"
#include "window/undo_keys.h"

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
    {2, {240, 360, 375, 285}, true},   {3, {720, 360, 375, 285}, true},    {4, {1200, 360, 375, 285}, true},
    {9, {2040, 360, 375, 285}, false}, {10, {2520, 360, 375, 285}, false}, {1, {240, 1080, 375, 285}, true},
    {5, {1080, 1080, 375, 285}, true}, {6, {1560, 1080, 375, 285}, true},  {7, {2400, 1080, 375, 285}, true},
    {8, {2880, 1080, 375, 285}, true},
};
constexpr TwipsRect kList1{3480, 120, 1335, 1425};

// Each label captions a group: it is tied to the group's first box, and its
// frame carries the group's name for assistive software.
struct GroupPlace {
  QLabel* Form1::*label;
  int label_number;  // LabelN
  const char* caption;
  TwipsRect label_rect;
  int first_box;
  GroupFrame* Form1::*frame;
  int frame_number;  // ShapeN
  TwipsRect frame_rect;
};
constexpr GroupPlace kGroupPlaces[] = {
    {&Form1::Label5, 5, "Text Pointer:", {240, 120, 975, 255}, 2, &Form1::Shape2, 2, {120, 240, 1575, 495}},
    {&Form1::Label6, 6, "Unknown:", {2040, 120, 735, 255}, 9, &Form1::Shape3, 3, {1920, 240, 1095, 495}},
    {&Form1::Label4, 4, "Style:", {240, 840, 375, 255}, 1, &Form1::Shape1, 1, {120, 960, 615, 495}},
    {&Form1::Label2, 2, "X:", {1200, 840, 135, 255}, 5, &Form1::Shape4, 4, {960, 960, 1095, 495}},
    {&Form1::Label3, 3, "Y:", {2520, 840, 135, 255}, 7, &Form1::Shape5, 5, {2280, 960, 1095, 495}},
};

QSize TwipsSize(const TwipsRect& rect) { return QSize(rect.width, rect.height); }

QString FromView(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The client area, which tells of each change of its size.
class ClientArea : public QWidget {
 public:
  using QWidget::QWidget;
  std::function<void(QSize size)> resized;

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QWidget::resizeEvent(event);
    if (resized) resized(event->size());
  }
};

}  // namespace

Form1::Form1(EditingSession& session, FileChooser& common_dialog, Notifier& notifier, QWidget* parent)
    : QMainWindow(parent), dialogs_(this, common_dialog, notifier), CommonDialog1(dialogs_), session_(session) {
  InstallAccessibleInterfaces();
  setObjectName("Form1");
  // "Quorvane*" while the shown entry has unsaved edits.
  setWindowTitle(QStringLiteral("Quorvane[*]"));
  // A file dropped from a file manager opens as File > Open would open it.
  setAcceptDrops(true);
  CreateControls();
  CreateMenus();
  status_ = new StatusLine(statusBar());
  // Through the same door as any change of entry: the list's own.
  search_ = new SearchCommands(
      this, List1, session_, dialogs_, *status_, [this](std::int32_t entry) { GoToEntry(entry); },
      [this] { return HasEdits(); });
  connect(search_, &SearchCommands::searchMade, this, &Form1::UpdateActions);
  UpdateActions();
  dialogs_.OnOpening([this] {
    List1->DropTypedNumber();
    typing_->ForgetAdvance();
  });
  PlaceControls();
  SetTabOrder();
}

void Form1::CreateControls() {
  auto* client = new ClientArea(this);
  client->setObjectName("client");
  setCentralWidget(client);

  // Stacking, bottom to top: frames, labels, then boxes and list. Each label
  // is drawn over its frame's top edge, as a group box caption is, and a box
  // that reaches into its label's lower edge is drawn over the label.
  for (const GroupPlace& place : kGroupPlaces) {
    auto* frame = new GroupFrame(Messages::ValueName(SlotOfBox(place.first_box).value), client);
    frame->setObjectName(QStringLiteral("Shape%1").arg(place.frame_number));
    this->*place.frame = frame;
  }

  for (const FieldSlot& slot : kFieldTable) {
    auto* box = new FieldLineEdit(client);
    box->setObjectName(QStringLiteral("Text%1").arg(slot.box));
    box->setAccessibleName(FromView(slot.description));
    box->SetDescription(Messages::BoxDescription(slot.position));
    box->setToolTip(FromView(slot.description));
    // The boxes show hex digits, which need no shaping (anything else typed
    // is refused by Save); skipping it halves what each display spends
    // laying out the boxes' texts.
    QFont font = box->font();
    font.setStyleStrategy(QFont::PreferNoShaping);
    box->setFont(font);
    box->setEnabled(false);
    // Drops go to the window, which opens a dropped file.
    box->setAcceptDrops(false);
    boxes_[IndexOfBox(slot.box)] = box;
  }
  for (const BoxPlace& place : kBoxPlaces) {
    if (place.two_characters) Box(place.box)->setMaxLength(2);
  }
  Text1 = Box(1), Text2 = Box(2), Text3 = Box(3), Text4 = Box(4), Text5 = Box(5);
  Text6 = Box(6), Text7 = Box(7), Text8 = Box(8), Text9 = Box(9), Text10 = Box(10);

  List1 = new EntryList(client);
  List1->setObjectName("List1");
  List1->setSortingEnabled(false);
  List1->setUniformItemSizes(true);
  List1->setAccessibleName(tr("Door entries"));
  List1->setAccessibleDescription(tr("Type an entry's number to go to it."));
  List1->setToolTip(List1->accessibleDescription());
  List1->setEnabled(false);

  for (const GroupPlace& place : kGroupPlaces) {
    auto* label = new QLabel(QString::fromUtf8(place.caption), client);
    label->setObjectName(QStringLiteral("Label%1").arg(place.label_number));
    label->setAutoFillBackground(true);
    label->setBuddy(Box(place.first_box));
    this->*place.label = label;
  }

  for (FieldLineEdit* box : {Text2, Text3, Text4}) box->TypeAsHex();
  typing_ = new RecordTyping([this](const Message& why) { dialogs_.Warn(this, why); }, this);
  typing_->AddValue({Text2, Text3, Text4});
  typing_->AddValue({Text5, Text6});
  typing_->AddValue({Text7, Text8});
  typing_->AddValue({Text1});
  // X's and Y's high boxes pass the focus on once they hold a byte.
  for (FieldLineEdit* box : {Text5, Text7}) {
    connect(box, &QLineEdit::textChanged, this, [this, box] { typing_->Changed(box, !filling_boxes_); });
  }
  for (FieldLineEdit* box : boxes_) {
    connect(box, &QLineEdit::textChanged, this, [this] {
      if (!filling_boxes_) UpdateEditMarks();
    });
  }
  connect(Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
  connect(Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
  connect(Text4, &QLineEdit::textChanged, this, &Form1::Text4_Change);
  connect(List1, &QListWidget::currentRowChanged, this, &Form1::List1_Click);
  // A press on the entry already shown reads it again from the file.
  connect(List1, &EntryList::currentEntryPressed, this, &Form1::List1_Click);
  List1->WaitForWholeNumbersWhile([this] { return HasEdits(); });
  // Log-off and shut-down ask about unsaved edits as Quit does, where the
  // system lets a program ask, and are refused where it does not.
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    const bool may_end = MaySessionEnd(manager.allowsInteraction());
    manager.release();
    if (!may_end) manager.cancel();
  });
  // Back from another program, which may have changed the image meanwhile.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, &Form1::ApplicationStateChanged);
}

void Form1::CreateMenus() {
  // Each action in one statement: its name, caption (every caption carries
  // an access key, Alt+F then O, shown underlined), keys, what it does, and
  // where it sits; those with no action stay off for the whole run. Whether
  // the others are on, UpdateActions asks their owners.
  auto add_action = [this](QMenu* menu, const char* name, const QString& caption, const QKeySequence& keys,
                           const std::function<void()>& act = nullptr) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    if (act) connect(action, &QAction::triggered, this, act);
    action->setEnabled(act != nullptr);
    return action;
  };
  auto add_separator = [](QMenu* menu, const char* name) {
    QAction* separator = menu->addSeparator();
    separator->setObjectName(name);
    return separator;
  };
  file = menuBar()->addMenu(tr("&File"));
  file->setObjectName("file");
  file_open = add_action(file, "file_open", tr("&Open"), Qt::CTRL | Qt::Key_O, [this] { file_open_Click(); });
  file_save = add_action(file, "file_save", tr("&Save"), Qt::CTRL | Qt::Key_S, [this] { file_save_Click(); });
  file_space = add_separator(file, "file_space");
  file_quit = add_action(file, "file_quit", tr("&Quit"), Qt::CTRL | Qt::Key_Q, [this] { file_quit_Click(); });

  edit = menuBar()->addMenu(tr("&Edit"));
  edit->setObjectName("edit");
  edit_undo = add_action(edit, "edit_undo", tr("&Undo"), QKeySequence::Undo, [this] { edit_undo_Click(); });
  edit_redo = add_action(edit, "edit_redo", tr("&Redo"), QKeySequence::Redo, [this] { edit_redo_Click(); });
  edit_space = add_separator(edit, "edit_space");
  edit_copypointer = add_action(edit, "edit_copypointer", tr("&Copy Pointer"), Qt::CTRL | Qt::Key_P,
                                [this] { edit_copypointer_Click(); });
  edit_copyx = add_action(edit, "edit_copyx", tr("Copy &X"), QKeySequence());
  edit_copyy = add_action(edit, "edit_copyy", tr("Copy &Y"), QKeySequence());
  edit_space2 = add_separator(edit, "edit_space2");
  edit_find = add_action(edit, "edit_find", tr("&Find..."), QKeySequence::Find, [this] { edit_find_Click(); });
  // F3 and Shift+F3 as such, as Notepad has them (the platform's FindNext is
  // Ctrl+G on some, the key of Go to Entry), and from the Find window too.
  edit_findnext = add_action(edit, "edit_findnext", tr("Find &Next"), Qt::Key_F3, [this] { search_->Run(true); });
  edit_findnext->setShortcutContext(Qt::ApplicationShortcut);
  edit_findprevious = add_action(edit, "edit_findprevious", tr("Find Pre&vious"), Qt::SHIFT | Qt::Key_F3,
                                 [this] { search_->Run(false); });
  edit_findprevious->setShortcutContext(Qt::ApplicationShortcut);
  edit_goto = add_action(edit, "edit_goto", tr("&Go to Entry..."), Qt::CTRL | Qt::Key_G, [this] { edit_goto_Click(); });

  // Ctrl+Z takes back a Save only while no box holds an edit, and the box
  // with the focus has nothing of its own to take back.
  auto* keys = new UndoKeys([this] { return HasEdits(); },
                            [this](const QWidget* box, bool redo) { return typing_->CanTakeBack(box, redo); }, this);
  for (FieldLineEdit* box : boxes_) keys->Watch(box);
  keys->Guard(edit_undo);
  keys->Guard(edit_redo);
}

void Form1::UpdateActions() {
  // Undo and Redo name the step they would take, or are off; Find Next and
  // Previous are on once a search was made.
  for (const auto& [action, direction] :
       {std::pair{edit_undo, HistoryDirection::kUndo}, {edit_redo, HistoryDirection::kRedo}}) {
    const std::int32_t entry = session_.NextStepEntry(direction);
    action->setText(Messages::StepCaption(direction, entry));
    action->setEnabled(entry != 0);
  }
  for (QAction* action : {edit_findnext, edit_findprevious}) action->setEnabled(search_->HasSearch());
}

void Form1::PlaceControls() {
  // One factor for the whole window, the smallest at which the style's
  // boxes, "FF" in them, and every caption fit uncut.
  std::vector<TwipsScale::Need> needs;
  for (const BoxPlace& place : kBoxPlaces) {
    FieldLineEdit* box = Box(place.box);
    const QSize to_show = box->SizeToShow(QStringLiteral("FF"));
    needs.push_back(
        {QSize(to_show.width(), qMax(to_show.height(), box->minimumSizeHint().height())), TwipsSize(place.rect)});
  }
  for (const GroupPlace& place : kGroupPlaces) {
    needs.push_back({(this->*place.label)->sizeHint(), TwipsSize(place.label_rect)});
  }
  const TwipsScale scale = TwipsScale::Fitting(needs);

  for (const GroupPlace& place : kGroupPlaces) (this->*place.frame)->setGeometry(scale.ToPixels(place.frame_rect));
  for (const BoxPlace& place : kBoxPlaces) Box(place.box)->setGeometry(scale.ToPixels(place.rect));
  List1->setGeometry(scale.ToPixels(kList1));
  for (const GroupPlace& place : kGroupPlaces) {
    (this->*place.label)->setGeometry(scale.ToPixels(place.label_rect));
    (this->*place.label)->raise();
  }
  for (FieldLineEdit* box : boxes_) box->raise();
  List1->raise();

  // The window opens at the layout's size and cannot be made smaller. Made
  // larger, the list takes the room, to the right and downwards; every other
  // control keeps its place.
  const QSize layout_size = scale.ToPixels(kClientArea).size();
  const QRect list_place = scale.ToPixels(kList1);
  centralWidget()->setMinimumSize(layout_size);
  static_cast<ClientArea*>(centralWidget())->resized = [this, layout_size, list_place](QSize size) {
    List1->setGeometry(
        list_place.adjusted(0, 0, size.width() - layout_size.width(), size.height() - layout_size.height()));
  };
  resize(minimumSizeHint());
}

void Form1::SetTabOrder() {
  // Within each value the boxes are visited as they read, from left to right.
  QWidget* const order[] = {Text2, Text3, Text4, Text5, Text6, List1, Text1, Text9, Text10, Text7, Text8};
  for (std::size_t i = 0; i + 1 < std::size(order); ++i) setTabOrder(order[i], order[i + 1]);
}

void Form1::Form_Load() {
  List1->setUpdatesEnabled(false);
  for (std::int32_t n = 0; n < kEntryCount;) {
    ++n;
    List1->addItem(QStringLiteral("Entry %1").arg(n));
  }
  session_.BuildTable();
  // Where each record lies, for users who check an entry in a hex editor.
  for (std::int32_t n = kFirstEntry; n <= kLastEntry; ++n) {
    const auto [first, last] = session_.RecordSpan(n);
    List1->item(n - 1)->setToolTip(Messages::EntryTooltip(n, first, last));
  }
  List1->setUpdatesEnabled(true);
}

}  // namespace quorvane
