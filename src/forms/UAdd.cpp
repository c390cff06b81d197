#include "forms/UAdd.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QDate>

#include "forms/Forms.h"
#include "forms/MainWindowOperations.h"
#include "ledger/Amount.h"
#include "ledger/EntryEditing.h"
#include "qtplatform/AnsiText.h"
#include "qtplatform/CommandGuard.h"
#include "qtplatform/FormFont.h"
#include "qtplatform/WindowDecorations.h"
#include "settings/SettingsProfile.h"
#include "widgets/TypedTextFilter.h"

namespace sorabel {
namespace {

QLabel* boldLabel(const QString& text, const QString& name, QRect geometry, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  QFont font = label->font();
  font.setBold(true);
  label->setFont(font);
  label->setGeometry(geometry);
  return label;
}

template <class Widget>
Widget* placed(Widget* widget, const QString& name, QRect geometry) {
  widget->setObjectName(name);
  widget->setGeometry(geometry);
  return widget;
}

void closeInputMethod(QWidget* widget) {
  widget->setAttribute(Qt::WA_InputMethodEnabled, false);
  widget->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhPreferNumbers);
}

}  // namespace

TAddFm::TAddFm(Forms& forms, QWidget* parent) : Form<QDialog>(parent), forms_(forms) {
  setObjectName(QStringLiteral("AddFm"));
  applyFormFont(this);
  setWindowTitle(QStringLiteral(" "));
  // A single-line border and no title-bar buttons.
  showTitleWithoutButtons(this);  // a single-line border and no title-bar buttons
  buildLayout();
  FormCreate();
}

void TAddFm::buildLayout() {
  AddPnl = placed(new QWidget(this), QStringLiteral("AddPnl"), {0, 0, 575, 76});
  Label1 = boldLabel(QStringLiteral("日付"), QStringLiteral("Label1"), {20, 8, 33, 13}, AddPnl);
  // 96 rather than the design's 93: the date and its drop-down button need it
  // in the Japanese font installed here.
  DateTimePicker1 = placed(new QDateEdit(AddPnl), QStringLiteral("DateTimePicker1"), {16, 20, 96, 20});
  DateTimePicker1->setCalendarPopup(true);
  DateTimePicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
  DateTimePicker1->setFocusPolicy(Qt::ClickFocus);  // not a tab stop
  closeInputMethod(DateTimePicker1);

  Label2 = boldLabel(QStringLiteral("摘要"), QStringLiteral("Label2"), {112, 8, 33, 13}, AddPnl);
  ComboBox1 = placed(new QComboBox(AddPnl), QStringLiteral("ComboBox1"), {112, 20, 281, 20});
  ComboBox1->setEditable(true);
  ComboBox1->setInsertPolicy(QComboBox::NoInsert);
  ComboBox1->setMaxVisibleItems(20);
  filterTypedText(ComboBox1->lineEdit(), FieldText::Words);

  Label3 = boldLabel(QStringLiteral("収入"), QStringLiteral("Label3"), {396, 8, 33, 13}, AddPnl);
  Edit3 = placed(new QLineEdit(AddPnl), QStringLiteral("Edit3"), {396, 20, 81, 20});
  closeInputMethod(Edit3);
  filterTypedText(Edit3, FieldText::Figures);
  Label4 = boldLabel(QStringLiteral("支出"), QStringLiteral("Label4"), {480, 8, 33, 13}, AddPnl);
  Edit4 = placed(new QLineEdit(AddPnl), QStringLiteral("Edit4"), {480, 20, 81, 20});
  closeInputMethod(Edit4);
  filterTypedText(Edit4, FieldText::Figures);

  OKBtn = placed(new QPushButton(QStringLiteral("OK"), AddPnl), QStringLiteral("OKBtn"), {200, 46, 75, 25});
  OKBtn->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
  CancelBtn = placed(new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), AddPnl), QStringLiteral("CancelBtn"), {298, 46, 75, 25});
  CancelBtn->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
  for (QPushButton* button : {OKBtn, CancelBtn}) button->setAutoDefault(false);

  setTabOrder(ComboBox1, Edit3);
  setTabOrder(Edit3, Edit4);
  setTabOrder(Edit4, OKBtn);
  setTabOrder(OKBtn, CancelBtn);
  for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);

  connect(OKBtn, &QPushButton::clicked, this, &TAddFm::OKBtnClick);
  connect(CancelBtn, &QPushButton::clicked, this, &TAddFm::CancelBtnClick);
}

void TAddFm::showForDate(const QDate& date) {
  DateTimePicker1->setDate(date);
  placeBesideMainWindow();
  exec();
}

void TAddFm::FormCreate() { setFixedSize(575, 76); }

void TAddFm::placeBesideMainWindow() {
  if (placed_) return;
  placed_ = true;
  const QRect main = forms_.mainWindow().mainWindowFrame();
  // Moved before it is first shown, a window is placed with its frame at
  // the point; moved while it is being shown, with its inner area there.
  move(main.left(), main.top() + 70);
}

void TAddFm::FormShow() {
  ComboBox1->setEditText(QString());
  Edit3->clear();
  Edit4->clear();
  runGuarded(this, [this] {
    SettingsProfile profile(forms_.paths().profile);
    QStringList descriptions;
    for (int n = 0; n < SettingsProfile::kRegisteredDescriptionCount; ++n)
      descriptions << toQString(profile.registeredDescription(n));
    ComboBox1->clear();
    ComboBox1->addItems(descriptions);
    ComboBox1->setEditText(QString());
  });
  ComboBox1->setFocus();
}

void TAddFm::OKBtnClick() {
  runGuarded(this, [this] {
    NewEntry entry{toAnsi(DateTimePicker1->date().toString(QStringLiteral("yyyy/MM/dd"))),
                   toAnsi(ComboBox1->currentText()), toAnsi(Edit3->text()), toAnsi(Edit4->text())};
    // An amount beyond 32 bits is refused before anything goes into the
    // book; the dialog stays open with what was typed.
    parseAmount(entry.income);
    parseAmount(entry.expense);
    MainWindowOperations& main = forms_.mainWindow();
    main.aboutToEditBook();
    main.changeBook([&](LedgerGrid& grid) { addEntry(grid, entry, main.bookOrder()); });
    main.SortAndBalance();
    main.ShowStatus();
    main.moveToNewestRow();
    main.bookEdited(QStringLiteral("データ追加"));
    accept();
  });
}

void TAddFm::CancelBtnClick() { reject(); }

bool TAddFm::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return QDialog::eventFilter(watched, event);
  if (auto* button = qobject_cast<QPushButton*>(watched)) {
    button->click();
    return true;
  }
  if (ComboBox1->view()->isVisible()) return false;  // Enter picks from the open list
  focusNextChild();
  return true;
}

}  // namespace sorabel
